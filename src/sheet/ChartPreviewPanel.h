#pragma once

#include <QFutureWatcher>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>

class QLabel;

namespace mosgrid {

class IChartPreview;

// Under the Add-chart dialog's edit: what is wrong with the definition typed, and a
// thumbnail of it. The check runs as the text changes; the thumbnail is made on a worker
// once typing pauses, one at a time, the newest text last.
class ChartPreviewPanel : public QWidget {
    Q_OBJECT
public:
    // The wait after the last key before a thumbnail is made.
    static constexpr int kTypingPauseMs = 250;

    ChartPreviewPanel(std::shared_ptr<IChartPreview> preview, QWidget* parent = nullptr);
    // Does not wait for a thumbnail being made (waiting on a future may run it here): the
    // preview that makes it waits for its own work.
    ~ChartPreviewPanel() override;

    void SetDefinition(const QString& text);

    // Whether the check shows a problem (in red).
    bool HasProblem() const { return m_bProblem; }

    // What the panel shows, for tests.
    QString checkText() const;
    QImage previewImage() const { return m_image; }
    // Whether a thumbnail is being made or waits for the typing to pause.
    bool IsBusy() const;

signals:
    void previewShown();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void StartRender();
    void OnRendered();
    void ShowImage();

    std::shared_ptr<IChartPreview> m_preview;
    QLabel* m_pCaption = nullptr;
    QLabel* m_pCheck = nullptr;
    QLabel* m_pPicture = nullptr;
    QTimer m_pause;
    QFutureWatcher<QImage> m_watcher;
    std::string m_definition;
    bool m_bRendering = false;   // from the start of a thumbnail until it is shown
    bool m_bStale = false;       // the text changed while a thumbnail was being made
    bool m_bProblem = false;     // the check found the definition wrong
    QImage m_image;
};

} // namespace mosgrid
