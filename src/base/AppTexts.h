#pragma once

#include <QString>

namespace mosgrid {

// The user-interface texts of the program's own windows, in one place.
namespace AppTexts {

inline const QString kAppName = QStringLiteral("mosgrid");
inline const QString kWindowTitle = QStringLiteral("Quorex Catalog");
inline const QString kDocumentTypeName = QStringLiteral("Mosgrid");
inline const QString kOrganization = QStringLiteral("Quorex");

inline const QString kMenuFile = QStringLiteral("ﾌｧｲﾙ(&F)");
inline const QString kMenuSettings = QStringLiteral("設定");
inline const QString kMenuExit = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)");
inline const QString kMenuView = QStringLiteral("表示(&V)");
inline const QString kMenuStatusBar = QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰ(&S)");
inline const QString kMenuHelp = QStringLiteral("ﾍﾙﾌﾟ(&H)");
inline const QString kMenuShowHelp = QStringLiteral("ﾍﾙﾌﾟ");
inline const QString kMenuAbout = QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)...");

// Command strings: status-bar prompt, line break, tool tip.
inline const QString kCmdSettings = QStringLiteral("設定\n設定");
inline const QString kCmdShowHelp = QStringLiteral("ヘルプ\nヘルプ");
inline const QString kCmdAbout =
    QStringLiteral("ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報");
inline const QString kCmdExit = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了");
inline const QString kCmdStatusBar =
    QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示切り替え");

inline const QString kStatusReady = QStringLiteral("ﾚﾃﾞｨ");
// While thumbnails are made: how many of how many.
inline const QString kStatusBuilding = QStringLiteral("作成中 %1 / %2");

// The framework's report of a document file that does not open; %1 is the path.
inline const QString kOpenFailed = QStringLiteral("%1\nファイルを開けませんでした。");
// A list that broke off with a read error, when printing; %1 is the path.
inline const QString kReadFailed = QStringLiteral("%1\nファイルを読み込めませんでした。");

// The data library cannot be made: the name it is registered under on the original platform.
inline const QString kCantCreateDataLibrary = QStringLiteral("Can't Create brasko.DLL");
// The chart control cannot be made: the name the program looks for it by.
inline const QString kCantCreateChartControl = QStringLiteral("Can't Create Quorex.XQuorexCtrl");

// Printing from the command line.
inline const QString kNoPrinter = QStringLiteral("印刷できるプリンタがありません。");
inline const QString kPrinterNotFound = QStringLiteral("プリンタ [%1] が見つかりません。");
inline const QString kPrintFailed = QStringLiteral("印刷できませんでした。");

// Help when no browser can be started: the program's own window, or where the page is.
inline const QString kHelpWindowTitle = QStringLiteral("ﾍﾙﾌﾟ - Quorex Catalog");
inline const QString kHelpPageMissing = QStringLiteral(
    "ヘルプのページ [%1] がありません。プログラムのフォルダの help を確かめてください。");

inline const QString kAboutCaption = QStringLiteral("About...");
inline const QString kCopyright = QStringLiteral("(C) 2026 mosgrid  Ver %1");
// The settings file in use; %1 is its path.
inline const QString kAboutSettingsFile = QStringLiteral("設定ファイル: %1");

// The dialog font of the original resources and its stand-in on Linux.
inline const QString kDialogFontFamily = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kDialogFontSubstitute = QStringLiteral("IPAPGothic");
inline constexpr int kDialogFontPoints = 9;

} // namespace AppTexts

} // namespace mosgrid
