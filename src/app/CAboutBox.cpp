#include "app/CAboutBox.h"

#include "base/AppTexts.h"
#include "base/DialogLayout.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace {

// Dialog 100, in dialog units.
constexpr int kWidth = 235;
constexpr int kHeight = 55;

} // namespace

CAboutBox::CAboutBox(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(AppTexts::kAboutCaption);
    setFont(DialogFont());
    const DialogBaseUnits units = BaseUnitsOf(font());
    setFixedSize(DluToPixels(units, kWidth, kHeight));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    const QRect iconRect = DluToPixels(units, 11, 17, 20, 20);
    icon->setGeometry(iconRect);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignCenter);

    auto* product = new QLabel(AppTexts::kWindowTitle, this);
    product->setObjectName(QStringLiteral("product"));
    product->setTextFormat(Qt::PlainText);  // ampersands shown as typed
    product->setGeometry(DluToPixels(units, 40, 10, 119, 8));

    auto* copyright = new QLabel(AppTexts::kCopyright.arg(QStringLiteral(MOSGRID_VERSION_TEXT)),
                                 this);
    copyright->setObjectName(QStringLiteral("copyright"));
    copyright->setTextFormat(Qt::PlainText);
    copyright->setGeometry(DluToPixels(units, 40, 25, 119, 8));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(DluToPixels(units, 178, 7, 50, 14));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
