#include "view/ScreenBar.h"

#include "screen/ScreenTexts.h"
#include "view/ScreenController.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace mosgrid {

namespace {

constexpr int kMargin = 3;
constexpr int kFieldCharacters = 48;
constexpr QRgb kErrorColor = 0xffc00000;

} // namespace

ScreenBar::ScreenBar(ScreenController& controller, QWidget* grid, QWidget* parent)
    : QWidget(parent)
    , m_controller(controller)
    , m_pGrid(grid)
    , m_pField(new QComboBox)
    , m_pCount(new QLabel)
    , m_pNotEvaluable(new QLabel)
    , m_pError(new QLabel)
{
    setObjectName(QStringLiteral("screenBar"));
    setAutoFillBackground(true);
    m_pField->setObjectName(QStringLiteral("screenField"));
    m_pField->setEditable(true);
    m_pField->setInsertPolicy(QComboBox::NoInsert);
    // No completion in the field: an error must refer to the text as the user sees it.
    m_pField->setCompleter(nullptr);
    m_pField->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pField->setMinimumContentsLength(kFieldCharacters);
    m_pField->lineEdit()->setPlaceholderText(ScreenTexts::kPlaceholder);
    m_pField->lineEdit()->setClearButtonEnabled(true);
    m_pField->lineEdit()->installEventFilter(this);
    m_pCount->setObjectName(QStringLiteral("screenCount"));
    m_pNotEvaluable->setObjectName(QStringLiteral("screenNotEvaluable"));
    m_pError->setObjectName(QStringLiteral("screenError"));
    QPalette errorPalette = m_pError->palette();
    errorPalette.setColor(QPalette::WindowText, QColor::fromRgb(kErrorColor));
    m_pError->setPalette(errorPalette);
    m_pError->hide();

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(m_pField, 0, 0);
    layout->addWidget(m_pCount, 0, 1);
    layout->addWidget(m_pNotEvaluable, 0, 2);
    layout->setColumnStretch(3, 1);
    layout->addWidget(m_pError, 1, 0, 1, 4);

    connect(m_pField->lineEdit(), &QLineEdit::textEdited, this, &ScreenBar::OnEdited);
    connect(m_pField, &QComboBox::textActivated, this, &ScreenBar::OnCommitted);
    connect(&m_controller, &ScreenController::countsChanged, this, &ScreenBar::ShowCounts);
    connect(&m_controller, &ScreenController::conditionChanged, this, [this] {
        m_pField->setEditText(m_controller.condition());
        ShowError(std::nullopt);
    });
    hide();
}

void ScreenBar::Open(bool focus)
{
    // Whether it shows is asked of the holder too: a dock shows the widget it is given.
    if (!m_bOpen) {
        m_bOpen = true;
        FillRecent();
        m_pField->setEditText(m_controller.condition());
        ShowError(std::nullopt);
        ShowCounts();
        show();
        emit shownChanged(true);
    }
    if (!focus)
        return;
    m_pField->setFocus(Qt::ShortcutFocusReason);
    m_pField->lineEdit()->selectAll();
}

void ScreenBar::Dismiss()
{
    m_controller.Clear();
    m_pField->setEditText(QString());
    ShowError(std::nullopt);
    m_bOpen = false;
    hide();
    emit shownChanged(false);
    m_pGrid->setFocus(Qt::OtherFocusReason);
}

QString ScreenBar::countText() const
{
    return m_pCount->text();
}

QString ScreenBar::notEvaluableText() const
{
    return m_pNotEvaluable->isHidden() ? QString() : m_pNotEvaluable->text();
}

QString ScreenBar::errorText() const
{
    return m_pError->isHidden() ? QString() : m_pError->text();
}

bool ScreenBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pField->lineEdit() && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Escape:
            Dismiss();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OnCommitted(m_pField->currentText());
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ScreenBar::OnEdited(const QString& text)
{
    ShowError(m_controller.Apply(text));
}

void ScreenBar::OnCommitted(const QString& text)
{
    const std::optional<ScreenError> error = m_controller.Commit(text);
    ShowError(error);
    if (error)
        return;
    FillRecent();
    m_pField->setEditText(m_controller.condition());
    m_pGrid->setFocus(Qt::OtherFocusReason);
}

void ScreenBar::ShowError(const std::optional<ScreenError>& error)
{
    m_pError->setText(error ? error->Text() : QString());
    m_pError->setVisible(error.has_value());
}

void ScreenBar::ShowCounts()
{
    const QLocale numbers(QLocale::Japanese);
    const ScreenCounts counts = m_controller.counts();
    if (m_controller.condition().isEmpty()) {
        m_pCount->clear();
    } else if (!counts.complete()) {
        m_pCount->setText(ScreenTexts::kCounting.arg(
            numbers.toString(counts.holds), numbers.toString(counts.total),
            numbers.toString(counts.evaluated), numbers.toString(counts.total)));
    } else {
        m_pCount->setText(ScreenTexts::kCount.arg(numbers.toString(counts.holds),
                                                  numbers.toString(counts.total)));
    }
    m_pNotEvaluable->setText(ScreenTexts::kNotEvaluable.arg(numbers.toString(counts.notEvaluable)));
    m_pNotEvaluable->setVisible(counts.notEvaluable > 0);
}

void ScreenBar::FillRecent()
{
    const QString text = m_pField->currentText();
    m_pField->clear();
    m_pField->addItems(m_controller.recent());
    m_pField->setEditText(text);
}

} // namespace mosgrid
