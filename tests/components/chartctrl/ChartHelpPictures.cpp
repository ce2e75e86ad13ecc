// Writes the help page's small pictures, one per overlay, style and indicator pane, drawn
// by the chart control itself:   chartctrl_help_pictures <help/x/img folder>
#include "ChartControl.h"
#include "ChartTestSeries.h"

#include <QGuiApplication>
#include <QString>

#include <cstdio>

namespace {

constexpr int kWidth = 240;
constexpr int kPriceHeight = 120;
constexpr int kPaneHeight = 150;
constexpr int kBars = 600;
constexpr char kParams[] = "AssistLine=1; FontSize=8; DispNum=60";

struct Picture {
    const char* file;
    std::vector<const char*> charts;
    const char* params = kParams;
    const char* related = nullptr;  // an RS pane's code, given a walk of its own
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const std::vector<Picture> pictures = {
        {"ema.png", {"Daily; EMA=12,26"}},
        {"bb.png", {"Daily; BB=20,2"}},
        {"ichimoku.png", {"Daily; Ichimoku"}},
        {"log.png", {"Daily; Log=1; Style=Line"}, "AssistLine=1; FontSize=8; DispNum=500"},
        {"bar.png", {"Daily; Style=Bar"}, "AssistLine=1; FontSize=8; DispNum=40"},
        {"line.png", {"Daily; Style=Line"}},
        {"rsi.png", {"Daily", "RSI=14"}},
        {"macd.png", {"Daily", "MACD=12,26,9"}},
        {"stoch.png", {"Daily", "Stoch=14,3,3"}},
        {"rci.png", {"Daily", "RCI=9,26"}},
        {"rs.png", {"Daily", "RS=1321"}, kParams, "1321"},
    };
    int failures = 0;
    for (const Picture& picture : pictures) {
        quorex::chart::ChartControl control;
        control.SetData(MakeData(RandomWalk(kBars, 7)));
        if (picture.related)
            control.SetRelatedData(picture.related, MakeData(RandomWalk(kBars, 11)));
        auto charts = control.GetCharts();
        charts->SetParam(picture.params);
        for (const char* definition : picture.charts) {
            if (auto chart = charts->Add(definition))
                chart->Refresh();
        }
        control.SetSize(kWidth, picture.charts.size() > 1 ? kPaneHeight : kPriceHeight);
        control.Update();
        const QString path = folder + '/' + QLatin1String(picture.file);
        if (!control.Picture().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
