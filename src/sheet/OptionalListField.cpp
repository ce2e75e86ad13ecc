#include "sheet/OptionalListField.h"

#include "settings/ChartKinds.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace mosgrid {

OptionalListField::OptionalListField(const QString& label, const QString& hint,
                                     const DialogBaseUnits& units, int labelWidth,
                                     int editWidth, QWidget* parent)
    : QWidget(parent)
{
    m_pCheck = new QCheckBox(label, this);
    m_pCheck->setObjectName(QStringLiteral("on"));
    m_pCheck->setGeometry(DluToPixels(units, 0, 2, labelWidth, 10));
    m_pEdit = new QLineEdit(this);
    m_pEdit->setObjectName(QStringLiteral("numbers"));
    m_pEdit->setGeometry(DluToPixels(units, labelWidth, 0, editWidth, 13));
    m_pEdit->setPlaceholderText(hint);
    connect(m_pCheck, &QCheckBox::clicked, this, &OptionalListField::edited);
    connect(m_pEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        // Typing numbers asks for the option.
        if (!text.trimmed().isEmpty())
            m_pCheck->setChecked(true);
        emit edited();
    });
}

std::string OptionalListField::Value() const
{
    if (!m_pCheck->isChecked())
        return {};
    const std::string numbers = m_pEdit->text().trimmed().toStdString();
    return numbers.empty() ? std::string(ChartKinds::kBare) : numbers;
}

void OptionalListField::SetValue(const std::string& value)
{
    const QSignalBlocker blockCheck(m_pCheck);
    const QSignalBlocker blockEdit(m_pEdit);
    m_pCheck->setChecked(!value.empty());
    const QString numbers =
        value == ChartKinds::kBare ? QString() : QString::fromStdString(value);
    // The numbers as typed stay while they read the same.
    if (m_pEdit->text().trimmed() != numbers)
        m_pEdit->setText(numbers);
}

} // namespace mosgrid
