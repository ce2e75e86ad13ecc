#include "HostFixture.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;

namespace {

const QByteArray kStored = "[Charts]\nParam=DispNum=40; AssistLine=1\n"
                           "[Chart]\nNum=3\nChart0=Daily; MA=5\nChart1=Volume\n"
                           "Chart2=Monthly\n";

struct PeriodCase {
    PeriodChoice period;
    std::string param;
};

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

using ChartHostPeriodTest = HostFixture;

// The switch reaches the control as a common parameter after the stored ones; the
// definitions go as stored, and the settings file is never written.
TEST_F(ChartHostPeriodTest, SwitchIsAppendedToTheStoredParametersWithoutWritingTheFile)
{
    WriteIni(kStored);
    const QString path = QString::fromStdString(m_folder.iniFile());
    CreateReadyHost();
    const PeriodCase cases[] = {
        {PeriodChoice::Definitions, "DispNum=40; AssistLine=1"},
        {PeriodChoice::Daily, "DispNum=40; AssistLine=1; Period=Daily"},
        {PeriodChoice::Weekly, "DispNum=40; AssistLine=1; Period=Weekly"},
        {PeriodChoice::Monthly, "DispNum=40; AssistLine=1; Period=Monthly"},
    };
    for (const PeriodCase& c : cases) {
        m_host->SetPeriodChoice(c.period);
        m_host->RenderItem(Item());
        const std::vector<std::string> calls = m_fake.TakeCalls();
        EXPECT_THAT(ArgumentsOf(calls, "SetParam"), ElementsAre(c.param));
        EXPECT_THAT(ArgumentsOf(calls, "Add"), ElementsAre("Daily; MA=5", "Volume", "Monthly"));
    }
    EXPECT_EQ(ReadFileBytes(path), kStored);
}

} // namespace
