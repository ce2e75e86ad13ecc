#pragma once

#include <QString>

namespace mosgrid {

// Texts of opening, reloading, watching and exporting lists, in one place.
namespace FileTexts {

inline const QString kMenuOpen = QStringLiteral("開く(&O)...");
inline const QString kMenuReload = QStringLiteral("再読み込み(&R)");
inline const QString kMenuExport = QStringLiteral("エクスポート(&E)...");
inline const QString kMenuAutoReload = QStringLiteral("自動更新");
// A recent list in the File menu: its number (the mnemonic) and its path.
inline const QString kMenuRecentFormat = QStringLiteral("&%1 %2");

// Command strings: status-bar prompt, line break, tool tip.
inline const QString kCmdOpen = QStringLiteral("一覧ファイルを開く\n開く");
inline const QString kCmdReload =
    QStringLiteral("一覧ファイルと価格ファイルを読み直し、変わった銘柄を描き直す\n再読み込み");
inline const QString kCmdExport =
    QStringLiteral("すべての銘柄を PDF または PNG に書き出す\nエクスポート");
inline const QString kCmdAutoReload =
    QStringLiteral("一覧ファイルと価格ファイルの変更を監視して読み直す\n自動更新");
inline const QString kCmdRecent = QStringLiteral("この一覧ファイルを開く\n最近使った一覧");

// The grid while no list is open.
inline const QString kEmptyHint = QStringLiteral(
    "一覧ファイルが開かれていません。\n\n"
    "ﾌｧｲﾙ メニューの「開く」(Ctrl+O) で選ぶか、\n一覧ファイルをここへドロップしてください。");

// The open dialog.
inline const QString kOpenCaption = QStringLiteral("一覧ファイルを開く");
inline const QString kOpenFilter =
    QStringLiteral("一覧ファイル (*.lst *.txt *.csv);;すべてのファイル (*)");

// Status-bar messages after a reload.
inline const QString kStatusReloaded = QStringLiteral("再読み込みしました");
inline const QString kStatusUnchanged = QStringLiteral("変更はありません");
inline const QString kStatusListUnreadable =
    QStringLiteral("一覧ファイルを読めません。表示はそのままです");
inline const QString kStatusStreamNotReread =
    QStringLiteral("一覧ファイルはパイプのため読み直せません。表示はそのままです");
inline const QString kStatusReloading = QStringLiteral("一覧ファイルを読んでいます...");
inline const QString kStatusListTooLong =
    QStringLiteral("一覧ファイルの銘柄が %1 件を超えるため読めません。表示はそのままです");
inline const QString kStatusListOutOfMemory =
    QStringLiteral("メモリが足りないため一覧ファイルを読めません。表示はそのままです");
inline const QString kStatusExported = QStringLiteral("%1 件を書き出しました: %2");

// The export dialog.
inline const QString kExportCaption = QStringLiteral("エクスポート");
inline const QString kExportPdf = QStringLiteral("PDF (横向き、複数ページ)");
inline const QString kExportSheet = QStringLiteral("PNG 一枚 (全銘柄の一覧)");
inline const QString kExportFolder = QStringLiteral("PNG フォルダ (銘柄ごとに 1 ファイル)");
inline const QString kExportCsv = QStringLiteral("CSV (銘柄ごとの最新の値と指標の表)");
inline const QString kExportPathLabel = QStringLiteral("書き出し先:");
inline const QString kExportBrowse = QStringLiteral("参照...");
inline const QString kExportPdfFilter = QStringLiteral("PDF (*.pdf)");
inline const QString kExportPngFilter = QStringLiteral("PNG (*.png)");
inline const QString kExportCsvFilter = QStringLiteral("CSV (*.csv)");
inline const QString kExportProgress = QStringLiteral("書き出しています...");
inline const QString kExportCancel = QStringLiteral("中止");

// The page header of an exported PDF: list name and date go beside this.
inline const QString kPageNumber = QStringLiteral("page %1 / %2");
inline const QString kDateFormat = QStringLiteral("yyyy/MM/dd HH:mm");
inline const QString kSheetCount = QStringLiteral("%1 銘柄");

// Failures of an export; %1 is the path.
inline const QString kExportUsage = QStringLiteral(
    "書き出し先 [%1] には .pdf、.png か .csv の名前、またはフォルダ (末尾に /) を指定してください。");
inline const QString kExportNoList = QStringLiteral("書き出す一覧ファイルを指定してください。");
inline const QString kExportWouldOverwrite = QStringLiteral(
    "[%1] はエクスポートで作ったものではないため上書きしません (--force で上書き)。");
inline const QString kExportNotOverwritable = QStringLiteral(
    "[%1] はエクスポートで作ったものではないため上書きしません。");
inline const QString kExportWrongKind =
    QStringLiteral("[%1] には書き出せません (ファイルとフォルダの種類が違います)。");
inline const QString kExportWriteFailed = QStringLiteral("[%1] に書き込めませんでした。");
inline const QString kExportNoCharts =
    QStringLiteral("チャートを描けないため書き出せませんでした。");
inline const QString kExportCancelled = QStringLiteral("書き出しを中止しました。");
// A list longer than the catalog takes; %1 is the path, %2 the most it takes.
inline const QString kListTooLong =
    QStringLiteral("一覧ファイル [%1] の銘柄が %2 件を超えるため読めません。");
inline const QString kListOutOfMemory =
    QStringLiteral("一覧ファイル [%1] はメモリが足りないため読めません。");
// Painted over the grid while a large list is read.
inline const QString kListLoading = QStringLiteral("一覧ファイルを読んでいます...");
// /rm after a finished export or print.
inline const QString kListNotRemoved =
    QStringLiteral("一覧ファイル [%1] を削除できませんでした。");

} // namespace FileTexts

} // namespace mosgrid
