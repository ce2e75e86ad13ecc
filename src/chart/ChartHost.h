#pragma once

#include "chart/CXQuorexCtrl.h"
#include "chart/ItemFacts.h"
#include "chart/ItemOrigin.h"
#include "settings/SettingsStore.h"
#include "settings/ViewChoices.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPainter;
class QPicture;

namespace mosgrid {

class IComponentProvider;
struct CatalogItem;

// Holds one chart control and one data library while thumbnails are made: draws each
// catalog item's charts and copies the picture, labelled, onto a thumbnail.
// It renders off screen; no window of it is ever shown. One host serves one thread.
// Order of use: CreateHost, RenderItem/CaptureItem per item, DestroyWindow, deletion.
// Threads: any one at a time. CreateHost, DestroyWindow and the destructor take the
// provider's componentMutex() themselves; callers hold no lock around them.
class ChartHost {
public:
    // provider: where the components come from; it must outlive the host. iniFile: the
    // settings file, read afresh for every item. Creates no component.
    ChartHost(IComponentProvider& provider, std::string iniFile);
    ~ChartHost();
    ChartHost(const ChartHost&) = delete;
    ChartHost& operator=(const ChartHost&) = delete;

    // 1 when the control and the data library are ready at width x height, else 0.
    // A data library that cannot be created is reported through reportFailure (the
    // catalog shows it once per rebuild, on its own thread).
    int CreateHost(int width, int height);
    void RenderItem(const CatalogItem& item);
    // The control's picture, exactly m_nWidth x m_nHeight, at (x, y) on target, with the
    // item's display name over its top-left corner.
    void CaptureItem(QPainter& target, int x, int y, const CatalogItem& item);
    // The same onto a whole thumbnail of the host's size: the control's picture is taken
    // over without a copy where it can be, and the label written on it.
    void CaptureItem(QImage& thumbnail, const CatalogItem& item);
    // The same recorded into picture as drawing commands over the host's size, so a PDF
    // keeps lines and text as vectors; only a control that cannot draw so gives its pixels.
    void RecordItem(QPicture& picture, const CatalogItem& item);
    // Releases the data library, then the control. 0 when there was no control.
    int DestroyWindow();

    // Every chart drawn in one period, or each in its own (the default); for display only.
    void SetPeriodChoice(PeriodChoice period) { m_period = period; }

    // A preview: RenderItem draws these definitions instead of the settings' own.
    void SetChartDefinitions(std::vector<std::string> definitions)
    {
        m_definitions = std::move(definitions);
    }

    // What the last RenderItem learnt of the item's series.
    const ItemFacts& LastFacts() const { return m_lastFacts; }
    // Which file the last RenderItem read, and whether it read it settled.
    const ItemOrigin& LastOrigin() const { return m_lastOrigin; }

    CXQuorexCtrl m_chartCtrl;
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::unique_ptr<quorex::IDataLibrary> m_dataLib;

private:
    void CopyPicture(QPainter& target, int x, int y) const;
    void DrawLabel(QPainter& target, int x, int y, const CatalogItem& item) const;

    IComponentProvider& m_provider;
    std::string m_strIniFile;
    ItemFacts m_lastFacts;
    PeriodChoice m_period = PeriodChoice::Definitions;
    std::optional<std::vector<std::string>> m_definitions;
    ItemOrigin m_lastOrigin;
    // The settings the last item was drawn with, for its label too: one read per item.
    std::optional<SettingsStore> m_itemSettings;
};

} // namespace mosgrid
