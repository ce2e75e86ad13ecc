#pragma once

#include <QString>

#include <array>

namespace mosgrid {

// The texts of colour flags and heat colours in the View menu.
namespace FlagTexts {

inline const QString kMenuSetFlag = QStringLiteral("旗を付ける");
inline const QString kMenuClearFlag = QStringLiteral("旗を外す");
inline const QString kMenuFlagFilter = QStringLiteral("旗で絞り込み");
inline const QString kFilterOff = QStringLiteral("絞り込まない");
inline const QString kFilterAny = QStringLiteral("旗のある銘柄すべて");
// The colours in the order of their keys 1–6.
inline const std::array<QString, 6> kColorNames = {
    QStringLiteral("赤"),  QStringLiteral("オレンジ"), QStringLiteral("黄"),
    QStringLiteral("緑"),  QStringLiteral("青"),       QStringLiteral("紫"),
};
inline const QString kMenuHeat = QStringLiteral("騰落率で色分け");

inline const QString kCmdSetFlag =
    QStringLiteral("選択した銘柄にこの色の旗を付ける(同じ色をもう一度で外す)\n旗");
inline const QString kCmdClearFlag = QStringLiteral("選択した銘柄の旗を外す\n旗を外す");
inline const QString kCmdFlagFilter =
    QStringLiteral("旗の付いた銘柄だけを表示・印刷・エクスポートする\n旗で絞り込み");
inline const QString kCmdHeat = QStringLiteral(
    "銘柄名の背景を前日比の騰落率で色分けする(±5% で最も濃い)\n騰落率で色分け");

} // namespace FlagTexts

} // namespace mosgrid
