#pragma once

#include <QWidget>

class QTextBrowser;

namespace mosgrid {

// The help pages in a window of the program's own, for a desktop where no browser can be
// started: the same HTML files, links followed inside it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow(const QString& page, QWidget* parent);

    void ShowPage(const QString& page);
    QTextBrowser* browser() const { return m_pBrowser; }

private:
    QTextBrowser* m_pBrowser;
};

} // namespace mosgrid
