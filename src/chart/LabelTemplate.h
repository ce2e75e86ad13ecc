#pragma once

#include "chart/ItemFacts.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace mosgrid {

// Which way a part of the label points: the change fields read up or down.
enum class LabelTone : std::uint8_t { Plain, Up, Down };

struct LabelRun {
    QString text;
    LabelTone tone = LabelTone::Plain;

    bool operator==(const LabelRun&) const = default;
};

// A label as parts of one tone each; neighbouring plain parts are one run.
using LabelRuns = std::vector<LabelRun>;

// The label of one security: the fields of pattern ({name}, {code}, {last}, {change},
// {change%}, {date}, {volume}; case aside) replaced by its values, "—" for a value not
// known; any other text, braces included, as written. {change} and {change%} are runs of
// their own, toned by their sign. Controls are left out (WithoutControls).
LabelRuns ExpandLabel(QStringView pattern, const QString& name, const QString& code,
                      const ItemFacts& facts);

// Where each field of pattern starts, in order (what ExpandLabel replaces).
std::vector<qsizetype> FieldStarts(QStringView pattern);

// text without what would draw as a box or turn the label around: control characters (NUL,
// BEL, line breaks) and the marks that set the direction of text (U+202A to U+202E, U+2066
// to U+2069, U+200E, U+200F, U+061C).
QString WithoutControls(QStringView text);

// The runs' texts end to end.
QString JoinRuns(const LabelRuns& runs);

// yyyymmdd as "YYYY/MM/DD"; "—" for anything that is not a calendar day.
QString FormatBarDate(std::int32_t date);

// value with `decimals` decimals (0 to 4) and thousands separators ("-1,234.50"); a sign
// only for a negative value, and never for one that rounds to zero.
QString FormatGrouped(double value, int decimals);

} // namespace mosgrid
