#include "app/CAboutBox.h"
#include "app/QtTranslations.h"
#include "base/AppTexts.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLibraryInfo>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

QString Catalogue()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm");
}

// Qt's own texts as the offscreen platform gives them, translated where a catalogue is
// installed.
struct QtText {
    QString english;
    QString shown;
};

QtText CancelButton()
{
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    return {QStringLiteral("Cancel"), buttons.button(QDialogButtonBox::Cancel)->text()};
}

QtText ColourDialogTitle()
{
    QColorDialog dialog;
    return {QStringLiteral("Select Color"), dialog.windowTitle()};
}

bool HasJapanese(const QString& text)
{
    for (const QChar c : text) {
        // Hiragana, katakana and the common CJK ideographs.
        if ((c.unicode() >= 0x3040 && c.unicode() <= 0x30FF)
            || (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF))
            return true;
    }
    return false;
}

TEST(QtTranslations, QtDialogsReadInJapaneseAndTheProgramsTextsStay)
{
    if (!QFile::exists(Catalogue()))
        GTEST_SKIP() << "no " << Catalogue().toStdString()
                     << " (Debian package qt6-translations-l10n is not installed)";
    ASSERT_TRUE(InstallQtTranslations());
    // Once per process: a second call changes nothing.
    EXPECT_TRUE(InstallQtTranslations());

    for (const QtText& text : {CancelButton(), ColourDialogTitle()}) {
        const QString withoutMnemonic = QString(text.shown).remove(QLatin1Char('&'));
        EXPECT_NE(withoutMnemonic, text.english) << text.english.toStdString();
        EXPECT_TRUE(HasJapanese(text.shown)) << text.shown.toStdString();
    }
    EXPECT_EQ(CancelButton().shown, QStringLiteral("キャンセル"));

    const CAboutBox box;
    EXPECT_EQ(box.windowTitle(), AppTexts::kAboutCaption);
    EXPECT_EQ(box.findChild<QPushButton*>(QStringLiteral("ok"))->text(), QStringLiteral("OK"));
}

} // namespace
