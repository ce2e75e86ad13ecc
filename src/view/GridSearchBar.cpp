#include "view/GridSearchBar.h"

#include "base/GridTexts.h"
#include "model/CatalogModel.h"
#include "view/GridSurface.h"
#include "model/GridArrangement.h"
#include "model/ShownOrder.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace mosgrid {

namespace {

constexpr int kMargin = 3;
constexpr int kFieldCharacters = 24;

} // namespace

GridSearchBar::GridSearchBar(GridSurface& surface)
    : QWidget(surface.gridWidget())
    , m_surface(surface)
    , m_pField(new QLineEdit(this))
    , m_pCount(new QLabel(this))
{
    setObjectName(QStringLiteral("gridSearchBar"));
    setAutoFillBackground(true);
    m_pField->setObjectName(QStringLiteral("gridSearchField"));
    m_pField->setPlaceholderText(GridTexts::kFilterPlaceholder);
    m_pField->setClearButtonEnabled(true);
    m_pField->setMinimumWidth(m_pField->fontMetrics().averageCharWidth() * kFieldCharacters);
    m_pField->installEventFilter(this);
    m_pCount->setObjectName(QStringLiteral("gridSearchCount"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(m_pField);
    layout->addWidget(m_pCount);
    layout->addStretch(1);

    connect(m_pField, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_surface.model().arrangement().SetFilter(text);
        ShowCount();
    });
    hide();
}

void GridSearchBar::Open()
{
    if (isHidden()) {
        show();
        emit placementChanged();
        ShowCount();
    }
    m_pField->setFocus(Qt::ShortcutFocusReason);
    m_pField->selectAll();
}

void GridSearchBar::Dismiss()
{
    m_pField->clear();
    hide();
    emit placementChanged();
    m_surface.gridWidget()->setFocus(Qt::OtherFocusReason);
}

void GridSearchBar::ShowFilterOf(const QString& text)
{
    if (text.isEmpty() && isHidden())
        return;
    m_pField->setText(text);
    setVisible(!text.isEmpty());
    emit placementChanged();
    ShowCount();
}

int GridSearchBar::WantedHeight() const
{
    return isHidden() ? 0 : sizeHint().height();
}

QString GridSearchBar::countText() const
{
    return m_pCount->text();
}

void GridSearchBar::ShowCount()
{
    const QLocale numbers(QLocale::Japanese);
    m_pCount->setText(GridTexts::kFilterCount.arg(
        numbers.toString(m_surface.model().shownOrder().count()),
        numbers.toString(m_surface.model().store().size())));
}

bool GridSearchBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pField && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Escape:
            Dismiss();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down:
            m_surface.gridWidget()->setFocus(Qt::OtherFocusReason);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace mosgrid
