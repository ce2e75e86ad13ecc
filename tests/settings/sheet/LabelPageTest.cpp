// The fourth page, "ラベル": what it shows from the file, what OK writes, inserting fields,
// and its example; and the colour samples on the General page's buttons.
#include "SheetDriver.h"

#include "settings/IChartPreview.h"
#include "sheet/CPropLabel.h"
#include "sheet/ColorChooser.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace mosgrid;

namespace {

constexpr int kLabelPage = 3;
constexpr int kTextColorId = 1008;
constexpr int kBackColorId = 1009;

const QStringList kNameDefaults = {"[Name]", "BackColor=8421440", "TextColor=16777215",
                                   "TransParent=0"};

QSpinBox* StaleDays(SheetDriver& d)
{
    return d.control<QSpinBox>(CPropLabel::kIdStaleDays);
}

void SetStaleDays(SheetDriver& d, const QString& days)
{
    QSpinBox* box = StaleDays(d);
    box->selectAll();
    QTest::keyClicks(box, days);
}

class LabelPageTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }
    void TearDown() override { SetColorChooser({}); }

    SheetTestFolder m_folder;
};

TEST_F(LabelPageTest, FourthPageAfterTheThree)
{
    SheetDriver d;
    const QTabWidget* tabs = d.sheet().tabWidget();
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(kLabelPage), QStringLiteral("ラベル"));
    EXPECT_FALSE(d.sheet().labelPage().IsCreated());
    d.showPage(kLabelPage);
    EXPECT_TRUE(d.sheet().labelPage().IsCreated());
    d.cancel();
}

struct LabelSession {
    const char* name;
    std::optional<QByteArray> before;
    QString shownLabel;
    int shownDays;
    std::function<void(SheetDriver&)> edit;
    std::optional<QByteArray> after;
};

void PrintTo(const LabelSession& row, std::ostream* os) { *os << row.name; }

class LabelSessionTest : public LabelPageTest, public ::testing::WithParamInterface<LabelSession> {
};

TEST_P(LabelSessionTest, ShowsTheFileThenOkWritesThePage)
{
    const LabelSession& row = GetParam();
    m_folder.setIni(row.before);
    SheetDriver d;
    d.showPage(kLabelPage);
    EXPECT_EQ(d.text(CPropLabel::kIdLabel), row.shownLabel);
    EXPECT_EQ(StaleDays(d)->value(), row.shownDays);
    if (row.edit)
        row.edit(d);
    d.ok();
    ASSERT_TRUE(d.accepted());
    EXPECT_EQ(m_folder.ini(), row.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LabelSessionTest,
    ::testing::Values(
        LabelSession{"NoFileShowsAndWritesTheDefaults", std::nullopt, "{name}", 7, {},
                     NewIni(QStringList{"[Chart]", "SizeX=300", "SizeY=180"} + kNameDefaults
                            + QStringList{"Label={name}", "StaleDays=7"})},
        LabelSession{"StoredValuesShown",
                     HandIni({"[Name]", "Label={code} {last} {change%}", "StaleDays=30"}),
                     "{code} {last} {change%}", 30, {},
                     HandIni({"[Name]", "Label={code} {last} {change%}", "StaleDays=30",
                              "BackColor=8421440", "TextColor=16777215", "TransParent=0",
                              "[Chart]", "SizeX=300", "SizeY=180"})},
        LabelSession{"EmptyLabelIsTheDefaultNegativeDaysOff",
                     HandIni({"[Name]", "Label=", "StaleDays=-3"}), "{name}", 0, {},
                     HandIni({"[Name]", "Label={name}", "StaleDays=0", "BackColor=8421440",
                              "TextColor=16777215", "TransParent=0", "[Chart]", "SizeX=300",
                              "SizeY=180"})},
        LabelSession{"TypedAndTurnedOff", std::nullopt, "{name}", 7,
                     [](SheetDriver& d) {
                         d.retype(CPropLabel::kIdLabel, "{name} {change}");
                         SetStaleDays(d, "0");
                     },
                     NewIni(QStringList{"[Chart]", "SizeX=300", "SizeY=180"} + kNameDefaults
                            + QStringList{"Label={name} {change}", "StaleDays=0"})},
        LabelSession{"ShiftJisLabelPassesThrough",
                     QByteArray("[Name]\nLabel=\x96\xbc {name}\n"), QStringLiteral("名 {name}"),
                     7, {},
                     QByteArray("[Name]\nLabel=\x96\xbc {name}\nBackColor=8421440\n"
                                "TextColor=16777215\nTransParent=0\nStaleDays=7\n"
                                "[Chart]\nSizeX=300\nSizeY=180\n")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabelPageTest, CancelWritesNothing)
{
    const QByteArray before = HandIni({"[Name]", "Label={name}", "StaleDays=7"});
    m_folder.setIni(before);
    SheetDriver d;
    d.showPage(kLabelPage);
    d.retype(CPropLabel::kIdLabel, "{code}");
    SetStaleDays(d, "1");
    d.cancel();
    EXPECT_EQ(m_folder.ini(), before);
}

struct InsertCase {
    const char* name;
    int row;             // the field chosen in the list
    int cursor;          // where the cursor stands in "{name}  "
    bool doubleClick;
    QString expected;
};

void PrintTo(const InsertCase& row, std::ostream* os) { *os << row.name; }

class LabelInsertTest : public LabelPageTest, public ::testing::WithParamInterface<InsertCase> {
};

TEST_P(LabelInsertTest, TheChosenFieldGoesInAtTheCursor)
{
    SheetDriver d;
    d.showPage(kLabelPage);
    auto* edit = d.control<QLineEdit>(CPropLabel::kIdLabel);
    d.retype(CPropLabel::kIdLabel, "{name}  ");
    edit->setCursorPosition(GetParam().cursor);
    auto* fields = d.control<QListWidget>(CPropLabel::kIdFields);
    ASSERT_EQ(fields->count(), 7);
    const QRect rect = fields->visualItemRect(fields->item(GetParam().row));
    if (GetParam().doubleClick) {
        // The press of a double-click's first half, then its second.
        QTest::mouseClick(fields->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(fields->viewport(), Qt::LeftButton, {}, rect.center());
    } else {
        QTest::mouseClick(fields->viewport(), Qt::LeftButton, {}, rect.center());
        d.click(CPropLabel::kIdInsert);
    }
    EXPECT_EQ(edit->text(), GetParam().expected);
    d.cancel();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LabelInsertTest,
    ::testing::Values(InsertCase{"ChangePercentAtTheEnd", 4, 8, false, "{name}  {change%}"},
                      InsertCase{"CodeAtTheStart", 1, 0, false, "{code}{name}  "},
                      InsertCase{"LastBetweenByDoubleClick", 2, 7, true, "{name} {last} "},
                      InsertCase{"Volume", 6, 8, false, "{name}  {volume}"}),
    [](const auto& info) { return std::string(info.param.name); });

// A preview that writes the template back, marked, for the example line.
class EchoPreview : public IChartPreview {
public:
    QString CheckDefinition(const std::string&) override { return {}; }
    QFuture<QImage> RenderDefinition(const std::string&) override { return {}; }
    QString SubjectName() const override { return {}; }
    QString ExampleLabel(const std::string& labelTemplate) const override
    {
        return QStringLiteral("EX ") + QString::fromStdString(labelTemplate);
    }
};

TEST_F(LabelPageTest, ExampleFollowsTheTemplateAsTyped)
{
    SheetDriver d;
    auto* example = d.control<QLabel>(CPropLabel::kIdExample);
    d.showPage(kLabelPage);
    EXPECT_EQ(example->text(), QString());  // no preview handed in: no example
    d.sheet().SetChartPreview(std::make_shared<EchoPreview>());
    EXPECT_EQ(example->text(), QStringLiteral("例: EX {name}"));
    d.retype(CPropLabel::kIdLabel, "{code}");
    EXPECT_EQ(example->text(), QStringLiteral("例: EX {code}"));
    d.cancel();
}

// The centre pixel of a button's icon.
QRgb SwatchOf(const QPushButton* button)
{
    const QImage image = button->icon().pixmap(button->iconSize()).toImage();
    return image.isNull() ? 0 : image.pixel(image.width() / 2, image.height() / 2) | 0xff000000;
}

TEST_F(LabelPageTest, ColourButtonsShowTheirColours)
{
    m_folder.setIni(HandIni({"[Name]", "BackColor=255", "TextColor=16711680"}));
    SheetDriver d;
    auto* text = d.control<QPushButton>(kTextColorId);
    auto* back = d.control<QPushButton>(kBackColorId);
    // Red sits in the low byte of a stored colour.
    EXPECT_EQ(SwatchOf(text), qRgb(0, 0, 255));
    EXPECT_EQ(SwatchOf(back), qRgb(255, 0, 0));
    std::optional<ColorRef> answer = 0x00FF00;
    SetColorChooser([&](ColorRef) { return answer; });
    d.click(kTextColorId);
    EXPECT_EQ(SwatchOf(text), qRgb(0, 255, 0));
    answer = std::nullopt;
    d.click(kBackColorId);
    EXPECT_EQ(SwatchOf(back), qRgb(255, 0, 0));
    d.cancel();
}

} // namespace
