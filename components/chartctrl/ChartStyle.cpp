#include "ChartStyle.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace quorex::chart {

namespace {

constexpr int kScreenDpi = 96;
constexpr int kPointsPerInch = 72;
// A body whose colour is this close to the background is drawn hollow, the classic
// Japanese white candle, so it never disappears.
constexpr int kHollowDistance = 60;

QColor Mix(const QColor& from, const QColor& to, double share)
{
    const auto channel = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

// Share of the way from the background towards black or white for messages: far enough to
// read, near enough not to pass for data.
constexpr double kNoticeShare = 0.55;
constexpr double kLightBackground = 0.5;
// The cloud is a light tint, so candles and lines stay readable over it.
constexpr double kCloudTint = 0.8;

double Luminance(const QColor& color)
{
    return (0.299 * color.red() + 0.587 * color.green() + 0.114 * color.blue()) / 255.0;
}

int Distance(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green())
        + std::abs(a.blue() - b.blue());
}

} // namespace

QColor ColorFromColorRef(ColorRef color)
{
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

int PixelSizeForPoints(int points)
{
    return std::max(1, (points * kScreenDpi + kPointsPerInch / 2) / kPointsPerInch);
}

int LineHeightForPoints(int points)
{
    return PixelSizeForPoints(points) * 5 / 4;
}

namespace {

ChartStyle MakeStyle(const ChartParams& params)
{
    ChartStyle style;
    style.back = ColorFromColorRef(params.backColor);
    style.text = ColorFromColorRef(params.lineColor);
    style.frame = Mix(style.back, style.text, 0.45);
    style.grid = Mix(style.back, style.text, 0.14);
    style.upBody = ColorFromColorRef(params.upColor);
    style.downBody = ColorFromColorRef(params.downColor);
    style.upHollow = Distance(style.upBody, style.back) < kHollowDistance;
    style.downHollow = Distance(style.downBody, style.back) < kHollowDistance;
    style.upEdge = style.upHollow ? style.text : style.upBody;
    style.downEdge = style.downHollow ? style.text : style.downBody;
    style.upVolume = Mix(style.upEdge, style.back, 0.3);
    style.downVolume = Mix(style.downEdge, style.back, 0.3);
    style.scrollTrough = Mix(style.back, style.text, 0.06);
    style.scrollButton = Mix(style.back, style.text, 0.14);
    style.scrollMark = Mix(style.back, style.text, 0.4);
    const QColor away = Luminance(style.back) >= kLightBackground ? Qt::black : Qt::white;
    style.notice = Mix(style.back, away, kNoticeShare);
    // Moving averages in colours apart from the usual red and blue candles.
    style.movingAverage = {QColor(232, 140, 0), QColor(0, 150, 70), QColor(150, 60, 190),
                           QColor(0, 150, 170)};
    style.exponentialAverage = {QColor(200, 0, 130), QColor(120, 100, 0), QColor(0, 110, 110),
                                QColor(110, 110, 110)};
    style.bands = QColor(110, 110, 190);
    style.conversion = QColor(210, 60, 140);
    style.base = QColor(40, 90, 160);
    style.lagging = QColor(110, 140, 40);
    style.upCloud = Mix(style.upEdge, style.back, kCloudTint);
    style.downCloud = Mix(style.downEdge, style.back, kCloudTint);
    style.level = Mix(style.back, style.text, 0.35);
    style.indicator = {QColor(30, 90, 200), QColor(232, 140, 0), QColor(0, 150, 70)};
    style.font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("DejaVu Sans")});
    style.font.setPixelSize(PixelSizeForPoints(params.fontSize));
    return style;
}

} // namespace

ChartStyle ChartStyle::From(const ChartParams& params)
{
    // Every thumbnail of a catalog asks for the same style: the last one made is kept per
    // thread, by the parameters it is made of. Its copies share one font, whose engine Qt
    // then looks up once, not at the first measure and first text of every picture.
    struct Kept {
        std::array<ColorRef, 4> colors{};
        int fontSize = 0;
        std::optional<ChartStyle> style;
    };
    thread_local Kept kept;
    const std::array<ColorRef, 4> colors = {params.backColor, params.lineColor,
                                            params.upColor, params.downColor};
    if (kept.style && kept.colors == colors && kept.fontSize == params.fontSize)
        return *kept.style;
    ChartStyle style = MakeStyle(params);
    kept = {colors, params.fontSize, style};
    return style;
}

} // namespace quorex::chart
