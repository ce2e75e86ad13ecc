// The Add-chart dialog with a preview: the definition checked as it is typed, a thumbnail
// of it made on a worker, and OK taking the text as typed unless the check shows it red.
#include "SheetDriver.h"

#include "settings/IChartPreview.h"
#include "sheet/CAddChartDlg.h"
#include "sheet/ChartPreviewPanel.h"
#include "sheet/DialogResults.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QtConcurrent>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

using namespace mosgrid;

namespace {

const QString kProblem = QStringLiteral("チャート定義を読めません: ");

// A colour per definition, so a preview tells which text it shows.
QRgb ColourFor(const std::string& definition)
{
    const auto hash = std::hash<std::string>{}(definition);
    return qRgb(int(hash & 0x7f) + 64, int((hash >> 8) & 0x7f) + 64, int((hash >> 16) & 0x7f));
}

// Rejects every definition that starts "Wek"; draws a picture of the definition's colour,
// on a worker, and says so.
class FakePreview : public IChartPreview {
public:
    QString CheckDefinition(const std::string& definition) override
    {
        return definition.rfind("Wek", 0) == 0 ? kProblem + QString::fromStdString(definition)
                                               : QString();
    }
    QFuture<QImage> RenderDefinition(const std::string& definition) override
    {
        return QtConcurrent::run([this, definition] {
            if (QThread::currentThread() == QCoreApplication::instance()->thread())
                renderedOnUiThread = true;
            QImage image(size, QImage::Format_RGB32);
            image.fill(ColourFor(definition));
            return image;
        });
    }
    QString SubjectName() const override { return QStringLiteral("北斗精機"); }
    QString ExampleLabel(const std::string&) const override { return {}; }

    QSize size{300, 180};
    std::atomic<bool> renderedOnUiThread = false;
};

class AddChartPreviewTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    // Types into the dialog's edit and waits until the preview shows the text.
    static void TypeAndWait(CAddChartDlg& dlg, const QString& text)
    {
        auto* edit = dlg.findChild<QLineEdit*>(QStringLiteral("1004"));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        ChartPreviewPanel* panel = dlg.previewPanel();
        QTRY_VERIFY(!panel->IsBusy());
    }

    SheetTestFolder m_folder;
    std::shared_ptr<FakePreview> m_preview = std::make_shared<FakePreview>();
};

struct CheckCase {
    const char* name;
    QString typed;
    QString check;
};

void PrintTo(const CheckCase& row, std::ostream* os) { *os << row.name; }

class AddChartCheckTest : public AddChartPreviewTest,
                          public ::testing::WithParamInterface<CheckCase> {};

TEST_P(AddChartCheckTest, WhatIsWrongAndThePictureOfTheTextTyped)
{
    CAddChartDlg dlg(AppPaths().exeDir);
    dlg.SetChartPreview(m_preview);
    dlg.show();
    TypeAndWait(dlg, GetParam().typed);
    ChartPreviewPanel* panel = dlg.previewPanel();
    EXPECT_EQ(panel->checkText(), GetParam().check);
    const QImage shown = panel->previewImage();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixel(10, 10), ColourFor(GetParam().typed.toStdString()));
    EXPECT_FALSE(m_preview->renderedOnUiThread);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AddChartCheckTest,
    ::testing::Values(CheckCase{"Fine", "Weekly MA=13", QStringLiteral("正しい定義です")},
                      CheckCase{"Mistyped", "Wekly", kProblem + "Wekly"},
                      CheckCase{"Blank", "   ", QStringLiteral("定義を入力してください")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AddChartPreviewTest, TheLastTextWinsAfterQuickEdits)
{
    CAddChartDlg dlg(AppPaths().exeDir);
    dlg.SetChartPreview(m_preview);
    dlg.show();
    auto* edit = dlg.findChild<QLineEdit*>(QStringLiteral("1004"));
    for (const char* text : {"D", "Da", "Dai", "Daily", "Daily; MA=5"}) {
        edit->setText(QString::fromLatin1(text));
        QCoreApplication::processEvents();
    }
    QTRY_VERIFY(!dlg.previewPanel()->IsBusy());
    EXPECT_EQ(dlg.previewPanel()->previewImage().pixel(0, 0), ColourFor("Daily; MA=5"));
}

TEST_F(AddChartPreviewTest, ALargeThumbnailIsShownSmallerInItsShape)
{
    m_preview->size = QSize(1200, 400);
    CAddChartDlg dlg(AppPaths().exeDir);
    dlg.SetChartPreview(m_preview);
    dlg.show();
    TypeAndWait(dlg, "Daily");
    auto* picture = dlg.findChild<QLabel*>(QStringLiteral("definitionPreview"));
    ASSERT_NE(picture, nullptr);
    const QPixmap shown = picture->pixmap();
    ASSERT_FALSE(shown.isNull()) << picture->width() << "x" << picture->height() << " panel "
                                 << dlg.previewPanel()->width() << "x"
                                 << dlg.previewPanel()->height();
    EXPECT_LE(shown.width(), picture->width());
    EXPECT_NEAR(double(shown.width()) / shown.height(), 3.0, 0.05);
}

TEST_F(AddChartPreviewTest, OkTakesTheTextAsTypedEvenWhenItIsWrong)
{
    QWidget owner;
    CAddChartDlg dlg(AppPaths().exeDir, &owner);
    dlg.SetChartPreview(m_preview);
    AnswerAddChartDialog(&owner, [](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("1004"));
        QTest::keyClicks(edit, " Wekly; MA=5 ");
        // The buttons sit below the preview.
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("1"));
        auto* panel = dialog->findChild<ChartPreviewPanel*>();
        EXPECT_GT(ok->y(), panel->geometry().bottom());
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_EQ(dlg.DoModal(), kIdOk);
    EXPECT_EQ(dlg.m_strChart, " Wekly; MA=5 ");
}

// A definition shown in red cannot be taken: OK is off, and Return does nothing.
TEST_F(AddChartPreviewTest, OkRefusesADefinitionShownInRed)
{
    QWidget owner;
    CAddChartDlg dlg(AppPaths().exeDir, &owner);
    dlg.SetChartPreview(m_preview);
    AnswerAddChartDialog(&owner, [](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("1004"));
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("1"));
        QTest::keyClicks(edit, "Wekly");
        EXPECT_FALSE(ok->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible());
        // Mended, it is taken.
        edit->setText(QStringLiteral("Weekly"));
        EXPECT_TRUE(ok->isEnabled());
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(dlg.DoModal(), kIdOk);
    EXPECT_EQ(dlg.m_strChart, "Weekly");
}

TEST_F(AddChartPreviewTest, TheSheetHandsThePreviewToTheAddChartDialog)
{
    SheetDriver d;
    d.sheet().SetChartPreview(m_preview);
    d.showPage(2);
    bool previewed = false;
    AnswerAddChartDialog(&d.sheet(), [&previewed](QWidget* dialog) {
        auto* panel = dialog->findChild<ChartPreviewPanel*>();
        previewed = panel != nullptr;
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("2")), Qt::LeftButton);
    });
    d.click(1001);
    EXPECT_TRUE(previewed);
    d.cancel();
}

} // namespace
