// Heat colours as the chart host draws them: the label's background tinted by the day's
// change, or a frame of that colour round a label without a background.
#include "HostFixture.h"

#include "chart/HeatColor.h"

#include <QImage>
#include <QPainter>

using namespace mosgrid;

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 80;

struct HeatCase {
    const char* name;
    QByteArray ini;
    std::vector<quorex::PriceBar> bars;
    QRgb topLeft;  // the label's first pixel
};

void PrintTo(const HeatCase& row, std::ostream* out) { *out << row.name; }

class ChartHostHeatTest : public HostFixture, public ::testing::WithParamInterface<HeatCase> {};

TEST_P(ChartHostHeatTest, LabelTintedByTheChange)
{
    WriteIni(GetParam().ini);
    m_fake.behaviour.bars = GetParam().bars;
    CreateReadyHost(kWidth, kHeight);
    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    {
        QPainter painter(&target);
        m_host->RenderItem(Item());
        m_host->CaptureItem(painter, 0, 0, Item("Toyota"));
    }
    EXPECT_EQ(target.pixel(0, 0), GetParam().topLeft);
    // The chart itself is never tinted.
    EXPECT_EQ(target.pixel(kWidth - 1, kHeight - 1), FakePicturePixel(kWidth - 1, kHeight - 1));
}

const std::vector<quorex::PriceBar> kUp = {{20240104, 100, 100, 100, 100, 1},
                                           {20240105, 100, 103, 100, 102.5, 1}};
const std::vector<quorex::PriceBar> kDown = {{20240104, 100, 100, 100, 100, 1},
                                             {20240105, 100, 100, 90, 94, 1}};
const std::vector<quorex::PriceBar> kOneBar = {{20240105, 100, 103, 100, 102.5, 1}};

INSTANTIATE_TEST_SUITE_P(
    Rows, ChartHostHeatTest,
    ::testing::Values(
        HeatCase{"off by default", "[Name]\n", kUp, qRgb(64, 128, 128)},
        HeatCase{"off", "[Name]\nHeat=0\n", kUp, qRgb(64, 128, 128)},
        HeatCase{"gain halfway", "[Name]\nHeat=1\n", kUp, qRgb(142, 79, 79)},
        HeatCase{"loss saturated", "[Name]\nHeat=1\n", kDown, qRgb(30, 90, 220)},
        HeatCase{"change unknown", "[Name]\nHeat=1\n", kOneBar, qRgb(64, 128, 128)},
        HeatCase{"other label colour", "[Name]\nHeat=1\nBackColor=0\n", kDown,
                 qRgb(30, 90, 220)},
        HeatCase{"frame without a background", "[Name]\nHeat=1\nTransParent=1\n", kUp,
                 qRgb(142, 79, 79)},
        HeatCase{"no frame when off", "[Name]\nTransParent=1\n", kUp, FakePicturePixel(0, 0)}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

} // namespace
