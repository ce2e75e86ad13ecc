#pragma once

#include <QString>

namespace mosgrid {

// The texts of screening by a condition: the field, its counts and what is wrong with an
// expression.
namespace ScreenTexts {

inline const QString kMenuScreen = QStringLiteral("条件で絞り込み(&C)...");
inline const QString kCmdScreen =
    QStringLiteral("価格と指標の条件に合う銘柄だけを表示\n条件で絞り込み");
inline const QString kPlaceholder = QStringLiteral("条件 (例: close > MA(25) and change% > 2)");
inline const QString kCount = QStringLiteral("%1 / %2");
inline const QString kCounting = QStringLiteral("%1 / %2  (評価中 %3 / %4)");
inline const QString kNotEvaluable = QStringLiteral("条件を評価できない銘柄 %1");
inline const QString kAt = QStringLiteral("%1 文字目: %2");
inline const QString kExportUnscreened =
    QStringLiteral("条件「%1」を使えないため、絞り込まずに書き出します (%2)");

inline const QString kErrCharacter = QStringLiteral("使えない文字「%1」があります");
inline const QString kErrNumber = QStringLiteral("数「%1」が読めません");
inline const QString kErrUnknownName = QStringLiteral("「%1」という値や関数はありません");
inline const QString kErrValueExpected = QStringLiteral("ここに値が必要です");
inline const QString kErrCloseExpected = QStringLiteral("「)」が必要です");
inline const QString kErrOpenExpected = QStringLiteral("「%1」の後に「(」が必要です");
inline const QString kErrBracketExpected = QStringLiteral("「]」が必要です");
inline const QString kErrArgumentCount = QStringLiteral("%1 には引数が %2 個必要です");
inline const QString kErrPeriod = QStringLiteral("期間は %1 から %2 までの整数です");
inline const QString kErrWidth = QStringLiteral("幅は 0 より大きい数です");
inline const QString kErrBarsBack = QStringLiteral("[ ] の中は 0 から %1 までの整数です");
inline const QString kErrBarsBackPlace =
    QStringLiteral("[n] は値の名前か関数のすぐ後に書きます");
inline const QString kErrExtra = QStringLiteral("「%1」が余分です");
inline const QString kErrConditionExpected =
    QStringLiteral("ここには比較 (> < = など) のある条件が必要です");
inline const QString kErrNumberExpected = QStringLiteral("ここには条件ではなく値が必要です");
inline const QString kErrTooLong = QStringLiteral("条件が長すぎます (%1 語まで)");
inline const QString kErrTooDeep = QStringLiteral("かっこや not の重なりが深すぎます (%1 段まで)");
inline const QString kErrChainedComparison =
    QStringLiteral("比較は続けて書けません (and でつなぎます)");

} // namespace ScreenTexts

} // namespace mosgrid
