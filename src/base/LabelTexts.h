#pragma once

#include <QString>

#include <array>

namespace mosgrid {

// The texts of what each thumbnail tells besides its chart: label fields, data problems,
// the stale badge, the label page of the settings sheet and the definition preview.
namespace LabelTexts {

// A label field whose value is not known.
inline const QString kUnknown = QStringLiteral("—");

struct Field {
    const char* token;      // as written in the template
    QString meaning;
};

// Every field of the label template, in the order the settings page lists them.
inline const std::array<Field, 7> kFields{{
    {"{name}", QStringLiteral("銘柄名")},
    {"{code}", QStringLiteral("銘柄コード")},
    {"{last}", QStringLiteral("終値(最新の足)")},
    {"{change}", QStringLiteral("前日比")},
    {"{change%}", QStringLiteral("前日比(%)")},
    {"{date}", QStringLiteral("最新の足の日付")},
    {"{volume}", QStringLiteral("出来高(最新の足)")},
}};

// Why a thumbnail has no chart, written in its plot area.
inline const QString kNoData = QStringLiteral("データがありません");
inline const QString kSourceMissing = QStringLiteral("ファイルまたはフォルダがありません");
inline const QString kFileMissing = QStringLiteral("銘柄のファイルがありません");
inline const QString kDatabaseMissing = QStringLiteral("データベースがありません");
inline const QString kTableMissing = QStringLiteral("データベースに価格の表がありません");
inline const QString kCodeMissing = QStringLiteral("データベースにこの銘柄がありません");
inline const QString kNoRows = QStringLiteral("ファイルに価格の行がありません");
inline const QString kUnreadable = QStringLiteral("価格データとして読めません");
inline const QString kBusy = QStringLiteral("データベースが使用中です");

// The status bar after a build: securities in all, those without data.
inline const QString kBuildSummary = QStringLiteral("%1 銘柄 · データなし %2");

// Settings page "ラベル".
inline const QString kPageTitle = QStringLiteral("ラベル");
inline const QString kTemplateGroup = QStringLiteral("ラベルの書式");
inline const QString kTemplateHint =
    QStringLiteral("{ } の項目は銘柄の値に置き換わります。");
inline const QString kInsert = QStringLiteral("挿入");
inline const QString kExample = QStringLiteral("例:");
inline const QString kStaleGroup = QStringLiteral("古いデータ");
inline const QString kStaleAfter = QStringLiteral("日を超えて古い銘柄に日付を表示");
// The badge of a series whose newest bar lies after tomorrow: a typing error, not news.
inline const QString kFutureDate = QStringLiteral("未来の日付");
inline const QString kStaleNote = QStringLiteral("最新の銘柄の日付と比べます。0 で表示しません。");

// Add-chart dialog, and the settings' examples on the built-in sample series.
inline const QString kSampleName = QStringLiteral("見本");
inline const QString kPreview = QStringLiteral("プレビュー");
inline const QString kPreviewSample = QStringLiteral("プレビュー(見本のデータ)");
inline const QString kPreviewOn = QStringLiteral("プレビュー: %1");
inline const QString kDefinitionOk = QStringLiteral("正しい定義です");
inline const QString kDefinitionEmpty = QStringLiteral("定義を入力してください");

} // namespace LabelTexts

} // namespace mosgrid
