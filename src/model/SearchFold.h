#pragma once

#include <QString>

namespace mosgrid {

// Text folded for finding a security: compatibility forms unified (NFKC: full-width letters
// and digits become ASCII, half-width katakana full-width with their voicing marks joined),
// case folded, and hiragana read as katakana, so ﾄﾖﾀ, とよた and トヨタ find each other and
// ７２０３ finds 7203.
QString FoldForSearch(const QString& text);

// Whether a security with this code and name is shown under the filter (already folded);
// an empty filter shows every security.
bool MatchesFilter(const QString& foldedFilter, const QString& foldedCode,
                   const QString& foldedName);

} // namespace mosgrid
