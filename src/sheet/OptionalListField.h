#pragma once

#include "base/DialogLayout.h"

#include <QWidget>

#include <string>

class QCheckBox;
class QLineEdit;

namespace mosgrid {

// An option that is given bare (`Ichimoku`) or with its numbers (`Ichimoku=9,26,52`): a
// check box and, beside it, the numbers. Its value is empty when off, ChartKinds::kBare when
// on without numbers, else the numbers.
class OptionalListField : public QWidget {
    Q_OBJECT
public:
    // labelWidth and editWidth in dialog units.
    OptionalListField(const QString& label, const QString& hint, const DialogBaseUnits& units,
                      int labelWidth, int editWidth, QWidget* parent);

    std::string Value() const;
    // Shows a value without reporting it.
    void SetValue(const std::string& value);

signals:
    // The user changed the check or the numbers.
    void edited();

private:
    QCheckBox* m_pCheck = nullptr;
    QLineEdit* m_pEdit = nullptr;
};

} // namespace mosgrid
