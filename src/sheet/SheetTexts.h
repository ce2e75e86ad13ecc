#pragma once

#include <QString>

namespace mosgrid {

// The texts of the settings sheet, its three pages and the Add-chart dialog.
namespace SheetTexts {

inline const QString kSheetCaption = QStringLiteral("設定");
inline const QString kOk = QStringLiteral("OK");
inline const QString kCancel = QStringLiteral("ｷｬﾝｾﾙ");

// General page.
inline const QString kGeneralTitle = QStringLiteral("全般");
inline const QString kWidth = QStringLiteral("横");
inline const QString kChartSize = QStringLiteral("ﾁｬｰﾄの大きさ");
inline const QString kHeight = QStringLiteral("縦");
inline const QString kNameDisplay = QStringLiteral("銘柄名の表示");
inline const QString kTextColor = QStringLiteral("文字色");
inline const QString kBackColor = QStringLiteral("背景色");
inline const QString kTransParent = QStringLiteral("透過");

inline const QString kGeneralExplain =
    QStringLiteral("サムネイル 1 枚の大きさと、左上に書く銘柄名の色を決めます。");
inline const QString kRecommended = QStringLiteral("推奨の表示にする");
inline const QString kRecommendedNote = QStringLiteral(
    "目盛り、コード・銘柄名・終値・前日比のラベル、移動平均線つき日足と出来高");
inline const QString kRecommendedChosen =
    QStringLiteral("推奨の表示にしました。OK で保存、キャンセルで元のままです。");

// Common page.
inline const QString kCommonTitle = QStringLiteral("チャートの共通設定");
inline const QString kCommonHint =
    QStringLiteral(" ChartsオブジェクトのSetParamで設定可能なパラメータを指定できます。");

inline const QString kCommonExplain = QStringLiteral(
    "すべてのサムネイルのチャートに効く表示の設定です。ボタンや数値で変えると下の欄の"
    "文字列が書き換わり、欄に書くとボタンや数値が変わります。保存されるのは欄の文字列です。");

// Charts page.
inline const QString kChartsTitle = QStringLiteral("チャートの追加と削除");
inline const QString kAdd = QStringLiteral("追加");
inline const QString kDelete = QStringLiteral("削除");
inline const QString kEdit = QStringLiteral("編集…");
inline const QString kDuplicate = QStringLiteral("複製");
inline const QString kUp = QStringLiteral("上へ");
inline const QString kDown = QStringLiteral("下へ");
inline const QString kChartsExplain = QStringLiteral(
    "サムネイルには、この一覧のチャートが上から順に縦に並んで描かれます"
    "(例: 日足のローソク足の下に出来高)。順番は「上へ」「下へ」で変えられます。"
    "ダブルクリックで編集します。");

// Add-chart dialog.
inline const QString kAddChartTitle = QStringLiteral("チャートの追加");
inline const QString kAddChartHint =
    QStringLiteral(" ChartsオブジェクトのAddメソッドの引数と同じ形式で文字列を指定してください。");
inline const QString kAddChartExplain = QStringLiteral(
    "サムネイルに描くチャートを 1 つ選び、移動平均線などを指定します。選ぶと下の欄の定義が"
    "書き換わり、欄に書くと選択が変わります。");
inline const QString kEditChartTitle = QStringLiteral("チャートの編集");
inline const QString kHelp = QStringLiteral("ﾍﾙﾌﾟ");

// A failed OK: the settings file's path and why it could not be written.
inline const QString kWriteFailedMessage =
    QStringLiteral("設定を保存できませんでした。\n\n%1\n\n%2");
inline const QString kWriteNotAFolder =
    QStringLiteral("フォルダのあるべき場所にファイルがあります: %1");
inline const QString kWriteFolderReadOnly =
    QStringLiteral("フォルダに書き込む権限がありません: %1");
inline const QString kWriteNotAFile =
    QStringLiteral("設定ファイルの場所にファイル以外のものがあります。");
inline const QString kWriteFileReadOnly = QStringLiteral("設定ファイルは読み取り専用です。");
inline const QString kWriteFileUnreadable =
    QStringLiteral("設定ファイルを読めないため、上書きしませんでした。");
inline const QString kWriteFailed =
    QStringLiteral("ファイルを書き込めませんでした(ディスクの空きが足りないかもしれません)。");

// The help page of the chart definitions, formatted with the executable's directory.
inline constexpr char kChartsHelpFormat[] = "%s/help/x/Charts.htm";

} // namespace SheetTexts

} // namespace mosgrid
