#include "model/SearchFold.h"

namespace mosgrid {

namespace {

// Hiragana ぁ (U+3041) .. ゖ (U+3096) and the iteration marks ゝゞ lie 0x60 below their
// katakana; Unicode has no folding for this, so it is done here.
constexpr char16_t kHiraganaFirst = 0x3041;
constexpr char16_t kHiraganaLast = 0x3096;
constexpr char16_t kHiraganaIterationFirst = 0x309D;
constexpr char16_t kHiraganaIterationLast = 0x309E;
constexpr char16_t kKatakanaOffset = 0x60;

bool IsFoldedHiragana(char16_t c)
{
    return (c >= kHiraganaFirst && c <= kHiraganaLast)
        || (c >= kHiraganaIterationFirst && c <= kHiraganaIterationLast);
}

} // namespace

QString FoldForSearch(const QString& text)
{
    QString folded = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    for (QChar& c : folded) {
        if (IsFoldedHiragana(c.unicode()))
            c = QChar(static_cast<char16_t>(c.unicode() + kKatakanaOffset));
    }
    return folded;
}

bool MatchesFilter(const QString& foldedFilter, const QString& foldedCode,
                   const QString& foldedName)
{
    return foldedFilter.isEmpty() || foldedCode.contains(foldedFilter)
        || foldedName.contains(foldedFilter);
}

} // namespace mosgrid
