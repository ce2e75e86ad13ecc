#include "support/TestFolders.h"

#include "QuorexComponents.h"

#include <QJsonObject>
#include <QPluginLoader>

#include <gtest/gtest.h>

namespace {

class EmptyData : public quorex::IPriceData {
public:
    std::span<const quorex::PriceBar> Bars() const override { return m_bars; }

private:
    std::vector<quorex::PriceBar> m_bars{{20240603, 10, 12, 9, 11, 100},
                                         {20240604, 11, 11, 8, 9, 50}};
};

TEST(ChartControlPlugin, LoadsFromTheComponentsFolderByItsProgId)
{
    const QString path = BuiltProgramDir() + "/components/libxquorexctrl.so";
    QPluginLoader loader(path);
    const QJsonObject meta = loader.metaData();
    ASSERT_FALSE(meta.isEmpty()) << loader.errorString().toStdString();
    EXPECT_EQ(meta.value("IID").toString(), QStringLiteral(QUOREX_CHART_CONTROL_IID));
    EXPECT_EQ(meta.value("MetaData").toObject().value("ProgId").toString(),
              QString::fromLatin1(quorex::kChartControlProgId));

    auto* factory = qobject_cast<quorex::IChartControlFactory*>(loader.instance());
    ASSERT_NE(factory, nullptr) << loader.errorString().toStdString();
    auto control = factory->CreateChartControl();
    ASSERT_TRUE(control);
    auto charts = control->GetCharts();
    ASSERT_TRUE(charts);
    charts->Clear();
    control->SetData(std::make_shared<EmptyData>());
    charts->SetParam("AssistLine=0; FontSize=9; DispNum=60; ShowScrollBar=0");
    auto chart = charts->Add("Daily; DispMaxMin=0");
    ASSERT_TRUE(chart);
    chart->Refresh();
    control->SetSize(300, 180);
    control->Update();
    EXPECT_EQ(control->Picture().size(), QSize(300, 180));
    EXPECT_FALSE(charts->Add("Nonsense"));
}

} // namespace
