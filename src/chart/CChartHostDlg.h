#pragma once

#include "chart/CXQuorexCtrl.h"

#include <memory>

class IComponentProvider;
class QPainter;
class QWidget;
struct CatalogItem;

// Holds one chart control and one data library while the thumbnails are rebuilt: draws
// each catalog item's charts and copies the picture, labelled, onto a thumbnail.
// It renders off screen; no window of it is ever shown.
// Order of use: CreateHost, RenderItem/CaptureItem per item, DestroyWindow, deletion.
class CChartHostDlg {
public:
    // provider: where the components come from; null for the plugins of the program folder.
    // The provider must outlive the host. Creates no component.
    explicit CChartHostDlg(QWidget* pView, IComponentProvider* provider = nullptr);
    ~CChartHostDlg();
    CChartHostDlg(const CChartHostDlg&) = delete;
    CChartHostDlg& operator=(const CChartHostDlg&) = delete;

    // 1 when the control and the data library are ready at width x height, else 0.
    // A data library that cannot be created is reported to the user.
    int CreateHost(int width, int height);
    void RenderItem(const CatalogItem& item);
    // The control's picture, exactly m_nWidth x m_nHeight, at (x, y) on target, with the
    // item's display name over its top-left corner.
    void CaptureItem(QPainter& target, int x, int y, const CatalogItem& item);
    // Releases the data library, then the control. 0 when there was no control.
    int DestroyWindow();

    // Enter and Escape: the host has nothing to close.
    void OnOK() {}
    void OnCancel() {}

    CXQuorexCtrl m_chartCtrl;
    QWidget* m_pView = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::unique_ptr<quorex::IDataLibrary> m_dataLib;

private:
    void CopyPicture(QPainter& target, int x, int y) const;

    std::unique_ptr<IComponentProvider> m_pOwnProvider;
    IComponentProvider* m_pProvider = nullptr;
};
