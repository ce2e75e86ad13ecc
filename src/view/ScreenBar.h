#pragma once

#include "screen/ScreenError.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QLabel;

namespace mosgrid {

class ScreenController;

// The condition field above the grid: an editable drop-down of the recent conditions, "n / N"
// of the securities it holds for, how many cannot be evaluated, and under the field what
// is wrong with the text and where. The grid follows every valid text as it is typed; Enter
// or a choice from the drop-down keeps it as the active condition; Escape ends the
// narrowing and hides the field.
class ScreenBar : public QWidget {
    Q_OBJECT
public:
    // grid: where the keys go back to.
    ScreenBar(ScreenController& controller, QWidget* grid, QWidget* parent = nullptr);

    // Shows the field; focus: the keys go to it (else they stay where they are).
    void Open(bool focus = true);
    // Ends the narrowing and hides the field.
    void Dismiss();

    bool isOpen() const { return m_bOpen; }
    QComboBox* field() const { return m_pField; }
    QString countText() const;
    QString notEvaluableText() const;
    // Empty while the text is a valid condition.
    QString errorText() const;

signals:
    // Open or Dismiss showed or hid the field: whoever holds it shows or hides its room.
    void shownChanged(bool shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnEdited(const QString& text);
    void OnCommitted(const QString& text);
    void ShowError(const std::optional<ScreenError>& error);
    void ShowCounts();
    void FillRecent();

    ScreenController& m_controller;
    QWidget* m_pGrid;
    QComboBox* m_pField;
    QLabel* m_pCount;
    QLabel* m_pNotEvaluable;
    QLabel* m_pError;
    bool m_bOpen = false;
};

} // namespace mosgrid
