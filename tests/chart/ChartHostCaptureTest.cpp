#include "HostFixture.h"

#include <QImage>
#include <QPainter>
#include <QPicture>

#include <cstdlib>
#include <functional>

namespace {

constexpr QRgb kSentinel = 0xff010203;
constexpr int kWidth = 120;
constexpr int kHeight = 80;

QImage Target(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kSentinel);
    return image;
}

// Pixels of a rectangle of the image for which pred holds.
int CountPixels(const QImage& image, const QRect& rect, const std::function<bool(QRgb)>& pred)
{
    int count = 0;
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += pred(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

bool Near(QRgb a, QRgb b)
{
    constexpr int kTolerance = 40;
    return std::abs(qRed(a) - qRed(b)) < kTolerance && std::abs(qGreen(a) - qGreen(b)) < kTolerance
        && std::abs(qBlue(a) - qBlue(b)) < kTolerance;
}

} // namespace

struct PictureCase {
    const char* name;
    QSize forcedPictureSize;  // invalid: the control paints at the host's size
};

class ChartHostPictureTest : public HostFixture,
                             public ::testing::WithParamInterface<PictureCase> {};

TEST_P(ChartHostPictureTest, CopiesExactlyWidthByHeightToThePoint)
{
    m_fake.behaviour.forcedPictureSize = GetParam().forcedPictureSize;
    CreateReadyHost(kWidth, kHeight);
    const QPoint at(17, 9);
    QImage target = Target(400, 300);
    {
        QPainter painter(&target);
        m_host->RenderItem(Item());
        m_host->CaptureItem(painter, at.x(), at.y(), Item(""));
    }
    const QSize painted = GetParam().forcedPictureSize.isValid()
        ? GetParam().forcedPictureSize
        : QSize(kWidth, kHeight);
    const QRect area(at, QSize(kWidth, kHeight));
    int wrong = 0;
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x) {
            const int px = x - at.x();
            const int py = y - at.y();
            QRgb expected = kSentinel;
            if (area.contains(x, y))
                expected = (px < painted.width() && py < painted.height())
                    ? FakePicturePixel(px, py)
                    : qRgb(0, 0, 0);
            wrong += target.pixel(x, y) == expected ? 0 : 1;
        }
    }
    EXPECT_EQ(wrong, 0);
}

// A control that draws only pixels is recorded as those pixels: the replay, label and all,
// is the copy, and the recording covers the host's size whatever the control painted.
TEST_P(ChartHostPictureTest, RecordingReplaysAsTheCopy)
{
    m_fake.behaviour.forcedPictureSize = GetParam().forcedPictureSize;
    CreateReadyHost(kWidth, kHeight);
    m_host->RenderItem(Item());
    QImage copied = Target(kWidth, kHeight);
    m_host->CaptureItem(copied, Item("label"));
    QPicture picture;
    m_host->RecordItem(picture, Item("label"));
    EXPECT_EQ(picture.boundingRect(), QRect(0, 0, kWidth, kHeight));
    QImage replayed = Target(kWidth, kHeight);
    {
        QPainter painter(&replayed);
        picture.play(&painter);
    }
    EXPECT_EQ(replayed, copied);
}

INSTANTIATE_TEST_SUITE_P(Rows, ChartHostPictureTest,
                         ::testing::Values(PictureCase{"AtHostSize", QSize()},
                                           PictureCase{"LargerPicture", QSize(500, 500)},
                                           PictureCase{"SmallerPictureRestBlack", QSize(50, 30)}),
                         [](const auto& info) { return std::string(info.param.name); });

struct LabelCase {
    const char* name;
    QByteArray ini;
    bool opaque;
    QRgb back;  // the label background when opaque
    QRgb text;
};

class ChartHostLabelTest : public HostFixture, public ::testing::WithParamInterface<LabelCase> {};

TEST_P(ChartHostLabelTest, LabelAtThePointInItsColours)
{
    if (!GetParam().ini.isNull())
        WriteIni(GetParam().ini);
    CreateReadyHost(kWidth, kHeight);
    const QPoint at(13, 6);
    QImage target = Target(200, 120);
    {
        QPainter painter(&target);
        m_host->RenderItem(Item());
        m_host->CaptureItem(painter, at.x(), at.y(), Item("Toyota 自動車"));
    }
    const QRgb first = target.pixel(at);
    const QRect labelArea(at, QSize(kWidth, 20));
    if (GetParam().opaque) {
        EXPECT_EQ(first, GetParam().back);
    } else {
        EXPECT_EQ(first, FakePicturePixel(0, 0));
        // "BackColor" is read but never painted.
        EXPECT_EQ(CountPixels(target, target.rect(),
                              [](QRgb p) { return p == qRgb(255, 0, 0); }),
                  0);
    }
    const QRgb text = GetParam().text;
    EXPECT_GT(CountPixels(target, labelArea, [text](QRgb p) { return Near(p, text); }), 10);
    // Unchanged by the label: a pixel of the picture well below it.
    EXPECT_EQ(target.pixel(at + QPoint(kWidth - 1, kHeight - 1)),
              FakePicturePixel(kWidth - 1, kHeight - 1));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChartHostLabelTest,
    ::testing::Values(
        // 8421440 is red 64, green 128, blue 128; text white.
        LabelCase{"Defaults", QByteArray(), true, qRgb(64, 128, 128), qRgb(255, 255, 255)},
        // 255 is pure red, 16711680 pure blue: red sits in the low byte.
        LabelCase{"OpaqueColours", "[Name]\nBackColor=255\nTextColor=16711680\nTransParent=0\n",
                  true, qRgb(255, 0, 0), qRgb(0, 0, 255)},
        LabelCase{"Transparent", "[Name]\nBackColor=255\nTextColor=65280\nTransParent=1\n",
                  false, 0, qRgb(0, 255, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

using ChartHostLabelEdgeTest = HostFixture;

TEST_F(ChartHostLabelEdgeTest, LongNameIsCutWithAnEllipsisAtTheTargetEdge)
{
    WriteIni("[Name]\nBackColor=255\n");
    CreateReadyHost(kWidth, kHeight);
    QImage target = Target(kWidth, kHeight);
    {
        QPainter painter(&target);
        m_host->RenderItem(Item());
        m_host->CaptureItem(painter, 0, 0, Item(std::string(300, 'W')));
    }
    // Too narrow to keep room for a date badge: the label is cut with an ellipsis near the
    // last column, and nothing wraps into a second line.
    EXPECT_EQ(target.pixel(kWidth - 16, 0), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(0, kHeight - 1), FakePicturePixel(0, kHeight - 1));
}

TEST_F(ChartHostLabelEdgeTest, EmptyNameLeavesThePictureAlone)
{
    CreateReadyHost(kWidth, kHeight);
    QImage target = Target(kWidth, kHeight);
    {
        QPainter painter(&target);
        m_host->RenderItem(Item());
        m_host->CaptureItem(painter, 0, 0, Item(""));
    }
    EXPECT_EQ(target.pixel(0, 0), FakePicturePixel(0, 0));
}
