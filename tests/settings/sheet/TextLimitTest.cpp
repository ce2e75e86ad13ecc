// The text boxes whose values are read back take no more than a read returns, 1023 bytes of
// UTF-8, however the text arrives; never half a character.
#include "SheetDriver.h"

#include "sheet/CAddChartDlg.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace mosgrid;

namespace {

constexpr int kLimit = 1023;  // ASCII: bytes and characters alike

// One of the two limited boxes, shown and ready for input.
struct Box {
    std::unique_ptr<SheetDriver> sheet;
    std::unique_ptr<CAddChartDlg> dialog;
    QWidget* edit = nullptr;

    QString text() const
    {
        if (auto* line = qobject_cast<QLineEdit*>(edit))
            return line->text();
        return static_cast<QPlainTextEdit*>(edit)->toPlainText();
    }
};

Box CommonParamBox()
{
    Box box;
    box.sheet = std::make_unique<SheetDriver>();
    box.sheet->showPage(1);
    box.sheet->retype(1007, "");
    box.edit = box.sheet->control<QWidget>(1007);
    return box;
}

Box LabelBox()
{
    Box box;
    box.sheet = std::make_unique<SheetDriver>();
    box.sheet->showPage(3);
    box.edit = box.sheet->control<QWidget>(1011);
    return box;
}

Box AddChartBox()
{
    Box box;
    box.dialog = std::make_unique<CAddChartDlg>(AppPaths().exeDir);
    box.dialog->show();
    box.edit = box.dialog->findChild<QWidget*>(QStringLiteral("1004"));
    return box;
}

void Paste(QWidget* edit, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

struct LimitCase {
    const char* name;
    QString before;  // already in the box
    std::function<void(QWidget*)> input;
    QString after;
};

void PrintTo(const LimitCase& row, std::ostream* os) { *os << row.name; }

const QString kFull = QString(kLimit, QLatin1Char('a'));
const QString kAlmostFull = QString(kLimit - 4, QLatin1Char('a'));

const LimitCase kLimitCases[] = {
    {"TypingStopsAtTheLimit", kAlmostFull, [](QWidget* e) { QTest::keyClicks(e, "bcdefg"); },
     kAlmostFull + "bcde"},
    {"LongPasteIsCut", {}, [](QWidget* e) { Paste(e, QString(3000, QLatin1Char('x'))); },
     QString(kLimit, QLatin1Char('x'))},
    {"PasteIsCutToTheRoomLeft", kAlmostFull, [](QWidget* e) { Paste(e, "123456789"); },
     kAlmostFull + "1234"},
    {"FullBoxRefusesPaste", kFull, [](QWidget* e) { Paste(e, "z"); }, kFull},
    {"FullBoxRefusesTyping", kFull, [](QWidget* e) { QTest::keyClicks(e, "z"); }, kFull},
    {"PasteWithinTheLimitIsKept", "short", [](QWidget* e) { Paste(e, " paste"); },
     "short paste"},
    // Three bytes a character: 341 of them fill the box.
    {"JapanesePasteCutToWholeCharacters", {},
     [](QWidget* e) { Paste(e, QString(400, QChar(0x682A))); }, QString(341, QChar(0x682A))},
    {"JapaneseTypingRefusedWhenItWouldSplit", QString(340, QChar(0x682A)) + "ab",
     [](QWidget* e) { Paste(e, QString(QChar(0x682A))); }, QString(340, QChar(0x682A)) + "ab"},
    // Four bytes, two UTF-16 units: both go or neither.
    {"EmojiNotHalved", QString(kLimit - 6, QLatin1Char('a')),
     [](QWidget* e) { Paste(e, QStringLiteral("😀😀")); },
     QString(kLimit - 6, QLatin1Char('a')) + QStringLiteral("😀")},
};

enum class BoxKind { CommonParam, AddChart, Label };

class TextLimitTest : public ::testing::TestWithParam<std::tuple<LimitCase, BoxKind>> {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }
    SheetTestFolder m_folder;
};

TEST_P(TextLimitTest, BoxKeepsAtMostTheLimit)
{
    const auto& [row, kind] = GetParam();
    Box box = kind == BoxKind::CommonParam ? CommonParamBox()
        : kind == BoxKind::Label           ? LabelBox()
                                           : AddChartBox();
    ASSERT_NE(box.edit, nullptr);
    // The start text only sets the scene; typing it key by key would be slow.
    if (auto* line = qobject_cast<QLineEdit*>(box.edit)) {
        line->setText(row.before);
    } else {
        auto* plain = static_cast<QPlainTextEdit*>(box.edit);
        plain->setPlainText(row.before);
        plain->moveCursor(QTextCursor::End);
    }
    row.input(box.edit);
    EXPECT_EQ(box.text().size(), row.after.size());
    EXPECT_EQ(box.text(), row.after);
    EXPECT_LE(box.text().toUtf8().size(), kLimit);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextLimitTest,
    ::testing::Combine(::testing::ValuesIn(kLimitCases),
                       ::testing::Values(BoxKind::CommonParam, BoxKind::AddChart,
                                         BoxKind::Label)),
    [](const auto& info) {
        const BoxKind kind = std::get<1>(info.param);
        const char* box = kind == BoxKind::CommonParam ? "Common"
            : kind == BoxKind::Label                   ? "Label"
                                                       : "AddChart";
        return std::string(box) + std::get<0>(info.param).name;
    });

class CommonBoxTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }
    SheetTestFolder m_folder;
};

// Line breaks count like any character, and a break pasted at the limit is refused.
TEST_F(CommonBoxTest, LineBreaksCountTowardsTheLimit)
{
    Box box = CommonParamBox();
    auto* plain = static_cast<QPlainTextEdit*>(box.edit);
    plain->setPlainText(QString(kLimit - 3, QLatin1Char('a')));
    plain->moveCursor(QTextCursor::End);
    Paste(plain, "\n\n\n\n\n");
    EXPECT_EQ(plain->toPlainText(), QString(kLimit - 3, QLatin1Char('a')) + "\n\n\n");
    QTest::keyClick(plain, Qt::Key_Return);
    EXPECT_EQ(plain->toPlainText().size(), kLimit);
}

} // namespace
