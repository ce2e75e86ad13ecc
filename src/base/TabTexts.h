#pragma once

#include <QString>

namespace mosgrid {

// Texts of the lists open as tabs.
namespace TabTexts {

inline const QString kMenuOpenInTab = QStringLiteral("新しいタブで開く(&T)...");
inline const QString kMenuCloseTab = QStringLiteral("タブを閉じる(&W)");
inline const QString kMenuNextTab = QStringLiteral("次のタブ");
inline const QString kMenuPreviousTab = QStringLiteral("前のタブ");

// Command strings: status-bar prompt, line break, tool tip.
inline const QString kCmdOpenInTab =
    QStringLiteral("一覧ファイルを新しいタブで開く\n新しいタブで開く");
inline const QString kCmdCloseTab = QStringLiteral("表示中のタブを閉じる\nタブを閉じる");
inline const QString kCmdNextTab = QStringLiteral("次のタブの一覧を表示する\n次のタブ");
inline const QString kCmdPreviousTab = QStringLiteral("前のタブの一覧を表示する\n前のタブ");

} // namespace TabTexts

} // namespace mosgrid
