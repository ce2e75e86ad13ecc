#include "app/CAboutBox.h"

#include "base/AppTexts.h"
#include "base/DialogLayout.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace mosgrid {

namespace {

// Dialog 100, in dialog units.
constexpr int kWidth = 235;
constexpr int kHeight = 55;

} // namespace

CAboutBox::CAboutBox(QWidget* parent, const QString& settingsFile)
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

    if (!settingsFile.isEmpty()) {
        // Below the copyright line, across the dialog: a long path is cut in its middle,
        // and shown whole as the tool tip. The program's own path may double a separator
        // ("%s/mosgrid.ini" after a folder ending in '/'); the user reads it with one.
        const QString shown = QDir::cleanPath(settingsFile);
        auto* settings = new QLabel(this);
        settings->setObjectName(QStringLiteral("settingsFile"));
        settings->setTextFormat(Qt::PlainText);
        const QRect rect = DluToPixels(units, 40, 40, 188, 8);
        settings->setGeometry(rect);
        const QString text = AppTexts::kAboutSettingsFile.arg(shown);
        settings->setText(settings->fontMetrics().elidedText(text, Qt::ElideMiddle, rect.width()));
        settings->setToolTip(shown);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(DluToPixels(units, 178, 7, 50, 14));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace mosgrid
