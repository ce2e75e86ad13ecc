#pragma once

#include <QString>

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

// Common page.
inline const QString kCommonTitle = QStringLiteral("チャートの共通設定");
inline const QString kCommonHint =
    QStringLiteral(" ChartsオブジェクトのSetParamで設定可能なパラメータを指定できます。");

// Charts page.
inline const QString kChartsTitle = QStringLiteral("チャートの追加と削除");
inline const QString kAdd = QStringLiteral("追加");
inline const QString kDelete = QStringLiteral("削除");

// Add-chart dialog.
inline const QString kAddChartTitle = QStringLiteral("チャートの追加");
inline const QString kAddChartHint =
    QStringLiteral(" ChartsオブジェクトのAddメソッドの引数と同じ形式で文字列を指定してください。");
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
