// Writes sample chart pictures as PNG files, to look at what the control draws:
//   chartctrl_preview <folder>
#include "ChartControl.h"
#include "ChartTestSeries.h"

#include <QGuiApplication>
#include <QPainter>
#include <QString>

#include <cstdio>

namespace {

constexpr int kThumbnailWidth = 300;

struct Sample {
    const char* file;
    int width;
    int height;
    const char* params;
    std::vector<const char*> charts;
    int bars;                     // 0: no data
    const char* notice = "";
    double scale = 1;             // of every price
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
    const std::vector<Sample> samples = {
        {"default-300x180.png", 300, 180, "AssistLine=0; FontSize=9; DispNum=60; ShowScrollBar=0",
         {"Daily; DispMaxMin=0"}, 400},
        {"full-300x180.png", 300, 180, "AssistLine=1; FontSize=9; DispNum=60; ShowScrollBar=1",
         {"Daily; DispMaxMin=1; MA=5,25", "Volume"}, 400},
        {"maxmin-300x180.png", 300, 180, "AssistLine=0; FontSize=8; DispNum=60",
         {"Daily; DispMaxMin=1; MA=5,25,75", "Volume"}, 400},
        {"full-1200x800.png", 1200, 800, "AssistLine=1; FontSize=10; DispNum=120; ShowScrollBar=1",
         {"Daily; DispMaxMin=1; MA=5,25,75", "Volume"}, 400},
        {"weekly-1200x800.png", 1200, 800, "AssistLine=1; FontSize=9; DispNum=150",
         {"Weekly; DispMaxMin=1; MA=13,26", "Monthly; MA=12", "Volume"}, 2000},
        {"classic-300x180.png", 300, 180,
         "AssistLine=1; FontSize=8; DispNum=40; UpColor=16777215; DownColor=0",
         {"Daily; DispMaxMin=1"}, 400},
        {"full-600x360.png", 600, 360, "AssistLine=1; FontSize=9; DispNum=60; ShowScrollBar=1",
         {"Daily; DispMaxMin=1; MA=5,25,75", "Volume"}, 400},
        {"periods-600x360.png", 600, 360, "AssistLine=1; FontSize=9; DispNum=60",
         {"Daily; DispMaxMin=1; MA=5,25", "Weekly; DispMaxMin=1; MA=13", "Volume"}, 1200},
        {"period-weekly-300x180.png", 300, 180, "AssistLine=1; DispNum=60; Period=Weekly",
         {"Daily; DispMaxMin=1; MA=13,26", "Volume"}, 1200},
        {"unreadable-300x180.png", 300, 180, "AssistLine=1; FontSize=9; DispNum=60",
         {"Daily; DispMaxMin=1; MA=5,25", "Wekly; MA=13", "Volume"}, 400},
        {"notice-300x180.png", 300, 180, "AssistLine=0; FontSize=9; DispNum=60",
         {"Daily; DispMaxMin=0"}, 0, "ファイルがありません"},
        {"notice-teal-600x360.png", 600, 360,
         "AssistLine=1; BackColor=8421440; LineColor=16777215", {"Daily; MA=5", "Volume"}, 0,
         "データベースのテーブル prices にコード 7203 の行がありません"},
        {"large-300x180.png", 300, 180, "AssistLine=1; DispNum=60",
         {"Daily; DispMaxMin=1", "Volume"}, 400, "", 1e9},
        {"narrow-240x160.png", 240, 160, "AssistLine=1; DispNum=60",
         {"Daily; DispMaxMin=1; MA=5", "Volume"}, 400},
        {"target-300x180.png", 300, 180, "AssistLine=0; FontSize=9; DispNum=60",
         {"Daily; MA=5,25,75; BB=20,2; Ichimoku", "RSI=14", "MACD=12,26,9", "Volume"}, 400},
        {"target-600x360.png", 600, 360, "AssistLine=1; FontSize=9; DispNum=60",
         {"Daily; MA=5,25,75; BB=20,2; Ichimoku", "RSI=14", "MACD=12,26,9", "Volume"}, 400},
        {"ema-bb-300x180.png", 300, 180, "AssistLine=1; DispNum=60",
         {"Daily; EMA=12,26; BB=20,2"}, 400},
        {"ichimoku-600x360.png", 600, 360, "AssistLine=1; DispNum=80",
         {"Daily; Ichimoku"}, 400},
        {"panes-300x180.png", 300, 180, "AssistLine=0; DispNum=60",
         {"Daily", "Stoch=14,3,3", "RCI=9,26"}, 400},
        {"panes-600x360.png", 600, 360, "AssistLine=1; DispNum=60",
         {"Daily", "RSI", "MACD", "Stoch", "RCI=9,26"}, 400},
        {"log-300x180.png", 300, 180, "AssistLine=1; DispNum=400",
         {"Daily; Log=1; MA=25"}, 1200, "", 1},
        {"log-600x360.png", 600, 360, "AssistLine=1; DispNum=1000",
         {"Daily; Log=1; Style=Line"}, 1200, "", 1},
        {"line-300x180.png", 300, 180, "AssistLine=1; DispNum=60",
         {"Daily; Style=Line; MA=25", "Volume"}, 400},
        {"bar-600x360.png", 600, 360, "AssistLine=1; DispNum=60",
         {"Daily; Style=Bar; EMA=12", "Volume"}, 400},
        {"weekly-panes-600x360.png", 600, 360, "AssistLine=1; DispNum=60",
         {"Weekly; Ichimoku; BB", "RSI", "MACD"}, 2000},
    };
    int failures = 0;
    for (const Sample& sample : samples) {
        quorex::chart::ChartControl control;
        if (sample.bars > 0)
            control.SetData(MakeData(Scaled(RandomWalk(sample.bars, 7), sample.scale)));
        control.SetNotice(sample.notice);
        auto charts = control.GetCharts();
        charts->Clear();
        charts->SetParam(sample.params);
        for (const char* definition : sample.charts) {
            if (auto chart = charts->Add(definition))
                chart->Refresh();
        }
        control.SetSize(sample.width, sample.height);
        control.Update();
        const QString path = folder + '/' + QLatin1String(sample.file);
        if (!control.Picture().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
        // As the catalog shows it: the name over the top-left corner, white on teal.
        QImage labelled = control.Picture();
        {
            QPainter painter(&labelled);
            painter.setFont(QFont(QStringLiteral("IPAPGothic"), 9));
            painter.setBackgroundMode(Qt::OpaqueMode);
            painter.setBackground(QColor(64, 128, 128));
            painter.setPen(Qt::white);
            painter.drawText(0, painter.fontMetrics().ascent(),
                             QStringLiteral("7203 トヨタ自動車"));
        }
        labelled.save(QString(path).replace(QLatin1String(".png"), QLatin1String("-label.png")));
        // Thumbnails also three times enlarged, pixel for pixel, to judge single pixels.
        if (sample.width <= kThumbnailWidth) {
            const QImage enlarged = control.Picture().scaled(control.Picture().size() * 3);
            enlarged.save(QString(path).replace(QLatin1String(".png"), QLatin1String("-x3.png")));
        }
    }
    return failures == 0 ? 0 : 1;
}
