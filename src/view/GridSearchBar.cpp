#include "view/GridSearchBar.h"

#include "base/GridTexts.h"
#include "view/CCatalogView.h"
#include "view/GridArrangement.h"
#include "view/ShownOrder.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

namespace {

constexpr int kMargin = 3;
constexpr int kFieldCharacters = 24;

} // namespace

GridSearchBar::GridSearchBar(CCatalogView* view)
    : QWidget(view)
    , m_pView(view)
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
        m_pView->arrangement().SetFilter(text);
        ShowCount();
    });
    connect(&m_pView->arrangement(), &GridArrangement::orderChanged, this,
            &GridSearchBar::ShowCount);
    connect(&m_pView->builder(), &ThumbnailBuilder::buildStarted, this,
            &GridSearchBar::ShowCount);
    hide();
}

void GridSearchBar::Open()
{
    if (isHidden()) {
        show();
        PlaceIn(*m_pView);
        ShowCount();
    }
    m_pField->setFocus(Qt::ShortcutFocusReason);
    m_pField->selectAll();
}

void GridSearchBar::Dismiss()
{
    m_pField->clear();
    hide();
    PlaceIn(*m_pView);
    m_pView->setFocus(Qt::OtherFocusReason);
}

void GridSearchBar::PlaceIn(CCatalogView& view)
{
    const int height = isHidden() ? 0 : sizeHint().height();
    // Hidden, the grid keeps the whole client area as it always had.
    if (view.SearchBarHeight() != height)
        view.SetSearchBarHeight(height);
    if (!isHidden())
        setGeometry(0, 0, view.width(), height);
}

QString GridSearchBar::countText() const
{
    return m_pCount->text();
}

void GridSearchBar::ShowCount()
{
    const QLocale numbers(QLocale::Japanese);
    m_pCount->setText(GridTexts::kFilterCount.arg(
        numbers.toString(m_pView->shownOrder().count()),
        numbers.toString(m_pView->m_thumbList.size())));
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
            m_pView->setFocus(Qt::OtherFocusReason);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
