#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace mosgrid {

class GridSurface;

// The search field above the grid (Ctrl+F): as the user types, only securities whose code
// or name contain the text are shown, and "n / N" tells how many. Escape clears the filter
// and hides the field; Enter or Down hands the keys back to the grid. Hidden, it takes no
// room: the grid is exactly as without it.
class GridSearchBar : public QWidget {
    Q_OBJECT
public:
    // surface: the grid the bar lies over, which takes the keys back.
    explicit GridSearchBar(GridSurface& surface);

    void Open();
    // Clears the filter and hides the field.
    void Dismiss();
    // The room the bar takes above the grid: none while hidden, so the grid is exactly as
    // without it.
    int WantedHeight() const;

    QLineEdit* field() const { return m_pField; }
    // "n / N" told again: the order or the build changed.
    void ShowCount();
    // Another catalog shown: its own search text, the bar open when it has one.
    void ShowFilterOf(const QString& text);
    QString countText() const;

signals:
    // Shown or hidden: the grid lays the bar and itself out again.
    void placementChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:

    GridSurface& m_surface;
    QLineEdit* m_pField;
    QLabel* m_pCount;
};

} // namespace mosgrid
