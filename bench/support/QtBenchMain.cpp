// main() of the benchmarks that use the real plugins through Qt widgets: headless, run from
// the repository root so the sample catalog's relative sources resolve.
#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QDir::setCurrent(QStringLiteral(MOSGRID_SOURCE_DIR));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
