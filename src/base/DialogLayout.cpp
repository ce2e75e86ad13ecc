#include "base/DialogLayout.h"

#include "base/AppTexts.h"

#include <QFontMetrics>

namespace mosgrid {

namespace {

// The alphabet whose mean glyph width the platform takes as a font's average width.
constexpr char kAverageWidthSample[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kSampleLength = 52;

int MulDiv(int value, int numerator, int denominator)
{
    // Rounded like the platform's MulDiv, so adjacent controls line up the same way.
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                          : (product - half) / denominator);
}

} // namespace

void InstallFontSubstitutes()
{
    QFont::insertSubstitution(AppTexts::kDialogFontFamily, AppTexts::kDialogFontSubstitute);
}

QFont DialogFont()
{
    QFont font(AppTexts::kDialogFontFamily);
    font.setPointSize(AppTexts::kDialogFontPoints);
    return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int sampleWidth = metrics.horizontalAdvance(QLatin1String(kAverageWidthSample));
    return {(sampleWidth / (kSampleLength / 2) + 1) / 2, metrics.height()};
}

QRect DluToPixels(const DialogBaseUnits& units, int x, int y, int width, int height)
{
    return QRect(MulDiv(x, units.x, 4), MulDiv(y, units.y, 8), MulDiv(width, units.x, 4),
                 MulDiv(height, units.y, 8));
}

QSize DluToPixels(const DialogBaseUnits& units, int width, int height)
{
    return QSize(MulDiv(width, units.x, 4), MulDiv(height, units.y, 8));
}

} // namespace mosgrid
