#include "sheet/ChartKindChooser.h"

#include "settings/ChartKinds.h"
#include "sheet/OptionalListField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace mosgrid {

namespace {

// In dialog units, within the chooser.
constexpr int kLeft = 7;
constexpr int kFieldLeft = 90;
constexpr int kFieldWidth = 186;
constexpr int kRowHeight = 16;
constexpr int kFirstFieldTop = 18;
constexpr int kWidth = 283;
// Wide enough for the longest kind's name.
constexpr int kKindWidth = 140;

QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

// The entry of a word, in any ASCII case; -1 for none.
int ChoiceIndex(const QComboBox& choice, const std::string& value)
{
    for (int i = 1; i < choice.count(); ++i) {
        if (choice.itemData(i).toString().compare(QString::fromStdString(value),
                                                  Qt::CaseInsensitive) == 0)
            return i;
    }
    return value.empty() ? 0 : -1;
}

// A word the list does not know is shown as written, so other edits keep it.
void ShowChoice(QComboBox& choice, const std::string& value)
{
    int index = ChoiceIndex(choice, value);
    if (index < 0) {
        choice.addItem(QString::fromStdString(value), QString::fromStdString(value));
        index = choice.count() - 1;
    }
    choice.setCurrentIndex(index);
}

} // namespace

ChartKindChooser::ChartKindChooser(const DialogBaseUnits& units, QWidget* parent)
    : QWidget(parent)
    , m_units(units)
{
    auto* label = new QLabel(QStringLiteral("チャートの種類"), this);
    label->setGeometry(DluToPixels(units, kLeft, 2, 80, 8));
    m_pKind = new QComboBox(this);
    m_pKind->setObjectName(QString::number(kIdKind));
    for (const ChartKinds::Kind& kind : ChartKinds::Table())
        m_pKind->addItem(Utf8(kind.label));
    m_pKind->setGeometry(DluToPixels(units, kFieldLeft, 0, kKindWidth, 13));
    m_pUnknown = new QLabel(QStringLiteral("(下の定義は種類が読めません。選ぶと書き換えます)"), this);
    m_pUnknown->setGeometry(DluToPixels(units, kFieldLeft, kFirstFieldTop + 2, kFieldWidth, 8));
    connect(m_pKind, &QComboBox::activated, this, &ChartKindChooser::OnKindChosen);
    ShowDefinition({});
}

int ChartKindChooser::HeightDlu()
{
    std::size_t most = 1;
    for (const ChartKinds::Kind& kind : ChartKinds::Table())
        most = std::max(most, kind.options.size());
    return kFirstFieldTop + kRowHeight * int(most);
}

void ChartKindChooser::ShowDefinition(const std::string& definition)
{
    m_definition = definition;
    const ChartKinds::Fields fields = ChartKinds::ReadDefinition(definition);
    const int kind = fields.kind ? int(*fields.kind) : -1;
    {
        const QSignalBlocker block(m_pKind);
        m_pKind->setCurrentIndex(kind);
    }
    // An empty definition is simply not chosen yet; a wrong word is worth a word.
    m_pUnknown->setVisible(kind < 0 && definition.find_first_not_of(" \t;") != std::string::npos);
    if (kind != m_nKind)
        BuildFields(kind);
    ShowValues(fields.values);
}

void ChartKindChooser::OnKindChosen(int kind)
{
    if (kind < 0)
        return;
    // Options of the same name carry over to the new kind.
    const std::vector<std::string> values = ChartKinds::ReadOptions(m_definition, kind);
    BuildFields(kind);
    ShowValues(values);
    m_pUnknown->hide();
    emit edited(kind, values);
}

void ChartKindChooser::BuildFields(int kind)
{
    for (QWidget* widget : m_fields) {
        // Gone at once for whoever looks fields up by name; deleted once events allow.
        widget->hide();
        widget->setObjectName(QString());
        widget->deleteLater();
    }
    m_fields.clear();
    m_inputs.clear();
    m_nKind = kind;
    if (kind < 0)
        return;
    const std::vector<ChartKinds::OptionField>& options = ChartKinds::Table()[kind].options;
    for (std::size_t i = 0; i < options.size(); ++i) {
        const ChartKinds::OptionField& option = options[i];
        const int top = kFirstFieldTop + kRowHeight * int(i);
        QWidget* input = nullptr;
        if (option.type == ChartKinds::FieldType::Flag) {
            auto* check = new QCheckBox(Utf8(option.label), this);
            // As wide as its text, so a click beside it is no click on it.
            QRect rect = DluToPixels(m_units, kLeft, top + 2, kWidth - 2 * kLeft, 10);
            rect.setWidth(std::min(rect.width(), check->sizeHint().width()));
            check->setGeometry(rect);
            connect(check, &QCheckBox::clicked, this, &ChartKindChooser::ReportChange);
            input = check;
        } else if (option.type == ChartKinds::FieldType::OptionalList) {
            input = new OptionalListField(Utf8(option.label), Utf8(option.hint), m_units,
                                          kFieldLeft - kLeft, kFieldWidth, this);
            input->setGeometry(DluToPixels(m_units, kLeft, top, kWidth - 2 * kLeft, 13));
            connect(static_cast<OptionalListField*>(input), &OptionalListField::edited, this,
                    &ChartKindChooser::ReportChange);
        } else {
            auto* label = new QLabel(Utf8(option.label), this);
            label->setGeometry(DluToPixels(m_units, kLeft, top + 3, kFieldLeft - kLeft, 8));
            label->show();
            m_fields.push_back(label);
            if (option.type == ChartKinds::FieldType::Choice) {
                auto* choice = new QComboBox(this);
                // The first entry leaves the option out: the chart's own default.
                choice->addItem(QStringLiteral("(指定なし)"), QString());
                const QStringList words = Utf8(option.choices).split(QLatin1Char('|'));
                const QStringList labels = Utf8(option.choiceLabels).split(QLatin1Char('|'));
                for (qsizetype w = 0; w < words.size(); ++w)
                    choice->addItem(labels.value(w, words[w]), words[w]);
                choice->setGeometry(DluToPixels(m_units, kFieldLeft, top, 90, 13));
                connect(choice, &QComboBox::activated, this, &ChartKindChooser::ReportChange);
                input = choice;
            } else {
                auto* edit = new QLineEdit(this);
                edit->setGeometry(DluToPixels(m_units, kFieldLeft, top, kFieldWidth, 13));
                edit->setPlaceholderText(Utf8(option.hint));
                connect(edit, &QLineEdit::textEdited, this, &ChartKindChooser::ReportChange);
                input = edit;
            }
        }
        input->setObjectName(QString::number(kIdFirstOption + int(i)));
        input->setToolTip(Utf8(option.hint));
        input->show();
        m_fields.push_back(input);
        m_inputs.push_back(input);
    }
}

void ChartKindChooser::ShowValues(const std::vector<std::string>& values)
{
    for (std::size_t i = 0; i < m_inputs.size(); ++i) {
        const std::string value = i < values.size() ? values[i] : std::string();
        if (auto* check = qobject_cast<QCheckBox*>(m_inputs[i]))
            check->setChecked(value == "1");
        else if (auto* field = qobject_cast<OptionalListField*>(m_inputs[i]))
            field->SetValue(value);
        else if (auto* choice = qobject_cast<QComboBox*>(m_inputs[i]))
            ShowChoice(*choice, value);
        else if (auto* edit = qobject_cast<QLineEdit*>(m_inputs[i]);
                 edit != nullptr && edit->text().trimmed().toStdString() != value)
            edit->setText(QString::fromStdString(value));
    }
}

std::vector<std::string> ChartKindChooser::Values() const
{
    std::vector<std::string> values;
    for (QWidget* input : m_inputs) {
        if (auto* check = qobject_cast<QCheckBox*>(input))
            values.push_back(check->isChecked() ? "1" : "0");
        else if (auto* field = qobject_cast<OptionalListField*>(input))
            values.push_back(field->Value());
        else if (auto* choice = qobject_cast<QComboBox*>(input))
            values.push_back(choice->currentData().toString().toStdString());
        else if (auto* edit = qobject_cast<QLineEdit*>(input))
            values.push_back(edit->text().trimmed().toStdString());
    }
    return values;
}

void ChartKindChooser::ReportChange()
{
    if (m_nKind >= 0)
        emit edited(m_nKind, Values());
}

} // namespace mosgrid
