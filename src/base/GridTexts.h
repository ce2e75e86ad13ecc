#pragma once

#include <QString>

namespace mosgrid {

// The texts of working inside the grid: sort and period menus, the search field, the
// enlarged preview and the chart window.
namespace GridTexts {

inline const QString kMenuSort = QStringLiteral("並べ替え");
inline const QString kSortList = QStringLiteral("リスト順");
inline const QString kSortCode = QStringLiteral("コード順");
inline const QString kSortName = QStringLiteral("銘柄名順");
inline const QString kSortChange = QStringLiteral("騰落率順");
inline const QString kSortLast = QStringLiteral("終値順");
inline const QString kSortVolume = QStringLiteral("出来高順");
inline const QString kSortDescending = QStringLiteral("降順");

inline const QString kMenuPeriod = QStringLiteral("期間");
inline const QString kPeriodDefinitions = QStringLiteral("定義どおり");
inline const QString kPeriodDaily = QStringLiteral("日足\tD");
inline const QString kPeriodWeekly = QStringLiteral("週足\tW");
inline const QString kPeriodMonthly = QStringLiteral("月足\tM");

inline const QString kMenuFilter = QStringLiteral("絞り込み\tCtrl+F");
inline const QString kMenuOpenChart = QStringLiteral("チャートを開く\tCtrl+Enter");
inline const QString kMenuHoverPreview = QStringLiteral("ポインタを止めて拡大表示");

inline const QString kMenuColumns = QStringLiteral("列数");
inline const QString kColumnsAuto = QStringLiteral("自動");
inline const QString kColumnsCount = QStringLiteral("%1 列");
inline const QString kSizeBigger = QStringLiteral("大きく");
inline const QString kSizeSmaller = QStringLiteral("小さく");
inline const QString kCmdColumns = QStringLiteral(
    "サムネイルを横にこの数だけ並べ、幅をウィンドウに合わせる(自動: 設定の大きさのまま)\n列数");
inline const QString kCmdSizeBigger =
    QStringLiteral("サムネイルを大きくする(1 列減らすか、1 割大きく)\n大きく");
inline const QString kCmdSizeSmaller =
    QStringLiteral("サムネイルを小さくする(1 列増やすか、1 割小さく)\n小さく");

// Command strings: status-bar prompt, line break, tool tip.
inline const QString kCmdSort = QStringLiteral("一覧をこの順に並べ替え\n並べ替え");
inline const QString kCmdSortDescending =
    QStringLiteral("大きいものから順に並べる\n降順");
inline const QString kCmdPeriod =
    QStringLiteral("すべてのチャートをこの期間で表示(設定は書き換えない)\n期間");
inline const QString kCmdFilter =
    QStringLiteral("コードか銘柄名に含まれる文字で絞り込み\n絞り込み");
inline const QString kCmdOpenChart = QStringLiteral(
    "選択した銘柄の全期間のチャートをウィンドウで開く\nチャートを開く");
inline const QString kCmdHoverPreview = QStringLiteral(
    "マウス ポインタを止めた銘柄を拡大表示する(Space キーはいつでも使える)\n拡大表示");

// The search field: its placeholder and the count shown beside it (shown of all).
inline const QString kFilterPlaceholder = QStringLiteral("コードまたは銘柄名");
inline const QString kFilterCount = QStringLiteral("%1 / %2");
// In the middle of the grid when the search text matches no security.
inline const QString kNoMatches = QStringLiteral("該当する銘柄はありません");

// The crosshair's read-out.
inline const QString kBarDate = QStringLiteral("日付");
inline const QString kBarOpen = QStringLiteral("始値");
inline const QString kBarHigh = QStringLiteral("高値");
inline const QString kBarLow = QStringLiteral("安値");
inline const QString kBarClose = QStringLiteral("終値");
inline const QString kBarVolume = QStringLiteral("出来高");

// The chart window's caption: the security's name and code.
inline const QString kChartWindowTitle = QStringLiteral("%1 (%2) - Quorex Catalog");
// While the enlarged chart is being drawn.
inline const QString kDrawing = QStringLiteral("描画中…");

} // namespace GridTexts

} // namespace mosgrid
