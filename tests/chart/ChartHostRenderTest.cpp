#include "HostFixture.h"

#include "base/MessageBox.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <initializer_list>

using namespace mosgrid;

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

const std::string kBuiltInParam = "AssistLine=0; FontSize=9; DispNum=60; ShowScrollBar=0";
const std::string kBuiltInChart = "Daily; DispMaxMin=0";
constexpr std::size_t kLongValue = 1500;
constexpr std::size_t kPassedBytes = 1023;

// The calls of a log that start with prefix, their argument only.
std::vector<std::string> ArgumentsOf(const std::vector<std::string>& calls,
                                     const std::string& prefix)
{
    std::vector<std::string> arguments;
    for (const std::string& call : calls) {
        if (call.rfind(prefix + "(", 0) == 0)
            arguments.push_back(call.substr(prefix.size() + 1, call.size() - prefix.size() - 2));
    }
    return arguments;
}

// The fakes' behaviour with some failures switched on.
FakeBehaviour Failing(std::initializer_list<bool FakeBehaviour::*> flags)
{
    FakeBehaviour behaviour;
    for (bool FakeBehaviour::*flag : flags)
        behaviour.*flag = true;
    return behaviour;
}

FakeBehaviour Rejecting(const std::string& definition)
{
    FakeBehaviour behaviour;
    behaviour.rejectedDefinitions.insert(definition);
    return behaviour;
}

} // namespace

using ChartHostTest = HostFixture;

TEST_F(ChartHostTest, ConstructorCreatesNoComponent)
{
    EXPECT_THAT(m_fake.log.calls, IsEmpty());
    EXPECT_EQ(m_fake.log.live, 0);
}

TEST_F(ChartHostTest, CreateHostMakesControlThenDataLibraryAndPaintsAtSize)
{
    EXPECT_EQ(m_host->CreateHost(240, 130), 1);
    EXPECT_EQ(m_host->m_nWidth, 240);
    EXPECT_EQ(m_host->m_nHeight, 130);
    EXPECT_THAT(m_fake.TakeCalls(), ElementsAre("CreateChartControl", "CreateDataLibrary",
                                                "SetSize(240,130)", "Update"));
    EXPECT_EQ(m_fake.log.live, 2);
}

TEST_F(ChartHostTest, RenderItemCallsInOrderAndReleasesEachObjectWhereItBelongs)
{
    CreateReadyHost();
    CatalogItem item = Item();
    item.m_nType = -7;
    item.m_strSource = "C:\\\x83\x66\x81\x5B\x83\x5E";  // Shift-JIS bytes pass unchanged
    item.m_strCode = "1301,T";
    m_host->RenderItem(item);
    EXPECT_THAT(m_fake.TakeCalls(),
                ElementsAre("LoadData(" + item.m_strSource + "|1301,T|-7)", "GetCharts", "Clear",
                            "SetData", "SetParam(" + kBuiltInParam + ")",
                            "Add(" + kBuiltInChart + ")", "Refresh(" + kBuiltInChart + ")",
                            "~Chart(" + kBuiltInChart + ")", "~Data", "Update", "~Charts"));
    EXPECT_EQ(m_fake.log.live, 2);
}

struct SettingsCase {
    const char* name;
    QByteArray ini;
    std::string param;
    std::vector<std::string> definitions;
};

class ChartHostSettingsTest : public HostFixture,
                              public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(ChartHostSettingsTest, PassesEffectiveParametersAndDefinitions)
{
    if (!GetParam().ini.isNull())
        WriteIni(GetParam().ini);
    CreateReadyHost();
    m_host->RenderItem(Item());
    const std::vector<std::string> calls = m_fake.TakeCalls();
    // Clear, SetData and SetParam come whatever the definitions are.
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Clear"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "SetData"), 1);
    EXPECT_THAT(ArgumentsOf(calls, "SetParam"), ElementsAre(GetParam().param));
    EXPECT_THAT(ArgumentsOf(calls, "Add"), ElementsAreArray(GetParam().definitions));
    EXPECT_THAT(ArgumentsOf(calls, "Refresh"), ElementsAreArray(GetParam().definitions));
    EXPECT_EQ(m_fake.log.live, 2);
}

const QByteArray kLongParamIni = "[Charts]\nParam=" + QByteArray(kLongValue, 'p') + "\n";
const QByteArray kLongChartIni =
    "[Chart]\nNum=1\nChart0=Daily;" + QByteArray(kLongValue, 'd') + "\n";
const std::string kLongChartPassed = ("Daily;" + std::string(kLongValue, 'd'))
                                         .substr(0, kPassedBytes);

INSTANTIATE_TEST_SUITE_P(
    Rows, ChartHostSettingsTest,
    ::testing::Values(
        SettingsCase{"NoFile", QByteArray(), kBuiltInParam, {kBuiltInChart}},
        SettingsCase{"NumZero", "[Chart]\nNum=0\nChart0=Weekly\n", kBuiltInParam,
                     {kBuiltInChart}},
        SettingsCase{"NumAbsent", "[Chart]\nChart0=Weekly\n", kBuiltInParam, {kBuiltInChart}},
        SettingsCase{"ThreeWithSecondEmpty",
                     "[Chart]\nNum=3\nChart0=Weekly; MA=5\nChart1=\nChart2=Volume\n",
                     kBuiltInParam,
                     {"Weekly; MA=5", "Volume"}},
        SettingsCase{"TwoWithSecondAbsent", "[Chart]\nNum=2\nChart0=Monthly\n", kBuiltInParam,
                     {"Monthly"}},
        SettingsCase{"Negative", "[Chart]\nNum=-1\nChart0=Weekly\n", kBuiltInParam, {}},
        SettingsCase{"ParamEmpty", "[Charts]\nParam=\n", kBuiltInParam, {kBuiltInChart}},
        SettingsCase{"ParamSet", "[Charts]\nParam=FontSize=12; DispNum=20\n",
                     "FontSize=12; DispNum=20", {kBuiltInChart}},
        SettingsCase{"LongParam", kLongParamIni, std::string(kPassedBytes, 'p'),
                     {kBuiltInChart}},
        SettingsCase{"LongChart", kLongChartIni, kBuiltInParam, {kLongChartPassed}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartHostTest, ReadsSettingsAfreshForEveryItem)
{
    CreateReadyHost();
    m_host->RenderItem(Item());
    WriteIni("[Charts]\nParam=DispNum=10\n[Chart]\nNum=1\nChart0=Weekly\n");
    m_host->RenderItem(Item());
    const std::vector<std::string> calls = m_fake.TakeCalls();
    EXPECT_THAT(ArgumentsOf(calls, "SetParam"), ElementsAre(kBuiltInParam, "DispNum=10"));
    EXPECT_THAT(ArgumentsOf(calls, "Add"), ElementsAre(kBuiltInChart, "Weekly"));
}

struct NullCase {
    const char* name;
    FakeBehaviour behaviour;
    QByteArray ini;
    std::vector<std::string> calls;
};

class ChartHostNullTest : public HostFixture, public ::testing::WithParamInterface<NullCase> {};

TEST_P(ChartHostNullTest, GoesOnAsFarAsTheComponentsAllowAndReleasesEverything)
{
    if (!GetParam().ini.isNull())
        WriteIni(GetParam().ini);
    CreateReadyHost();
    m_fake.behaviour = GetParam().behaviour;
    m_host->RenderItem(Item());
    std::vector<std::string> expected = {"LoadData(/data/prices.db|7203|5)", "GetCharts"};
    expected.insert(expected.end(), GetParam().calls.begin(), GetParam().calls.end());
    EXPECT_THAT(m_fake.TakeCalls(), ElementsAreArray(expected));
    EXPECT_EQ(m_fake.log.live, 2);
    m_host->DestroyWindow();
    m_host.reset();
    EXPECT_EQ(m_fake.log.live, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChartHostNullTest,
    ::testing::Values(
        NullCase{"NoData", Failing({&FakeBehaviour::noData}), {},
                 {"Clear", "Update", "~Charts"}},
        NullCase{"NoCharts", Failing({&FakeBehaviour::noCharts}), {},
                 {"~Data", "Update"}},
        NullCase{"NeitherDataNorCharts",
                 Failing({&FakeBehaviour::noData, &FakeBehaviour::noCharts}), {}, {"Update"}},
        NullCase{"AddRejected",
                 Rejecting("Weekly"),
                 "[Chart]\nNum=2\nChart0=Weekly\nChart1=Volume\n",
                 {"Clear", "SetData", "SetParam(" + kBuiltInParam + ")", "Add(Weekly)",
                  "Add(Volume)", "Refresh(Volume)", "~Chart(Volume)", "~Data", "Update",
                  "~Charts"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct CreateFailureCase {
    const char* name;
    FakeBehaviour behaviour;
    std::vector<std::string> createCalls;
    std::vector<std::string> destroyCalls;
    int destroyResult;
};

class ChartHostCreateFailureTest : public HostFixture,
                                   public ::testing::WithParamInterface<CreateFailureCase> {};

TEST_P(ChartHostCreateFailureTest, ReturnsZeroRendersNothingAndReleasesOnDestroy)
{
    std::vector<QString> messages;
    SetMessageBoxHandler([&messages](const QString& text) { messages.push_back(text); });
    m_fake.behaviour = GetParam().behaviour;
    EXPECT_EQ(m_host->CreateHost(300, 180), 0);
    SetMessageBoxHandler([](const QString& text) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString();
    });
    EXPECT_THAT(m_fake.TakeCalls(), ElementsAreArray(GetParam().createCalls));
    // The rebuild tells the user, once per build and on its own thread.
    EXPECT_TRUE(messages.empty());

    m_host->RenderItem(Item());
    EXPECT_THAT(m_fake.TakeCalls(), IsEmpty());
    EXPECT_EQ(m_host->DestroyWindow(), GetParam().destroyResult);
    EXPECT_THAT(m_fake.TakeCalls(), ElementsAreArray(GetParam().destroyCalls));
    EXPECT_EQ(m_fake.log.live, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChartHostCreateFailureTest,
    ::testing::Values(
        CreateFailureCase{"NoControl", Failing({&FakeBehaviour::noControl}),
                          {"CreateChartControl"}, {}, 0},
        CreateFailureCase{"NoDataLibrary",
                          Failing({&FakeBehaviour::noDataLibrary}),
                          {"CreateChartControl", "CreateDataLibrary"},
                          {"~Control"},
                          1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartHostTest, DestroyWindowReleasesDataLibraryThenControl)
{
    CreateReadyHost();
    EXPECT_EQ(m_host->DestroyWindow(), 1);
    EXPECT_THAT(m_fake.TakeCalls(), ElementsAre("~DataLibrary", "~Control"));
    m_host.reset();
    EXPECT_THAT(m_fake.TakeCalls(), IsEmpty());
}

TEST_F(ChartHostTest, DestructorReleasesWhatIsStillHeldInTheSameOrder)
{
    CreateReadyHost();
    m_host.reset();
    EXPECT_THAT(m_fake.TakeCalls(), ElementsAre("~DataLibrary", "~Control"));
    EXPECT_EQ(m_fake.log.live, 0);
}

TEST_F(ChartHostTest, NegativeSizeReachesTheControlAsEmpty)
{
    EXPECT_EQ(m_host->CreateHost(-5, 40), 1);
    EXPECT_THAT(m_fake.TakeCalls(), ElementsAre("CreateChartControl", "CreateDataLibrary",
                                                "SetSize(0,40)", "Update"));
}
