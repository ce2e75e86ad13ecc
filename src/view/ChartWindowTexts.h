#pragma once

#include <QString>

namespace mosgrid {

// The chart window's own texts.
namespace ChartWindowTexts {

// code, name, position (from 1), positions shown.
inline const QString kTitle = QStringLiteral("%1 %2 (%3 / %4)");
// code, name: a security no longer shown in the grid.
inline const QString kTitleAlone = QStringLiteral("%1 %2");
inline const QString kCatalogDefinitions = QStringLiteral("カタログのチャート");
inline const QString kOwnDefinitions = QStringLiteral("ウィンドウのチャート");
inline const QString kDaily = QStringLiteral("日足");
inline const QString kWeekly = QStringLiteral("週足");
inline const QString kMonthly = QStringLiteral("月足");
inline const QString kDefinitionsPeriod = QStringLiteral("定義どおり");
inline const QString kLog = QStringLiteral("対数");
inline const QString kSlideshow = QStringLiteral("スライドショー");
// first date, last date, bars shown, bars in all.
inline const QString kSpan = QStringLiteral("%1 – %2  %3 / %4本");
inline const QString kSaveTitle = QStringLiteral("チャートを保存");
inline const QString kSaveFilter = QStringLiteral("PNG 画像 (*.png);;PDF (*.pdf)");
inline const QString kSaveFailed = QStringLiteral("%1 に保存できませんでした。");
inline const QString kPrintFailed = QStringLiteral("印刷できませんでした。");

} // namespace ChartWindowTexts

} // namespace mosgrid
