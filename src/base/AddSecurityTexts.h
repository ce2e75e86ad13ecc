#pragma once

#include <QString>

namespace mosgrid {

// Texts of the dialog that adds a security to a list.
namespace AddSecurityTexts {

inline const QString kCaption = QStringLiteral("銘柄を追加");
inline const QString kKindLabel = QStringLiteral("データの種類:");
inline const QString kKindCsvFolder = QStringLiteral("CSV フォルダ (コード.csv)");
inline const QString kKindCsvFile = QStringLiteral("CSV ファイル");
inline const QString kKindDatabase = QStringLiteral("SQLite データベース");
inline const QString kSourceLabel = QStringLiteral("場所:");
inline const QString kBrowse = QStringLiteral("参照...");
inline const QString kCodeLabel = QStringLiteral("コード:");
inline const QString kNameLabel = QStringLiteral("名前:");
inline const QString kNamePlaceholder = QStringLiteral("空ならコード");
inline const QString kTypeLabel = QStringLiteral("種別:");
inline const QString kChooseFolder = QStringLiteral("価格ファイルのフォルダ");
inline const QString kChooseFile = QStringLiteral("価格データのファイル");
inline const QString kCsvFilter = QStringLiteral("CSV ファイル (*.csv *.txt);;すべてのファイル (*)");
inline const QString kDatabaseFilter =
    QStringLiteral("SQLite データベース (*.db *.sqlite *.sqlite3);;すべてのファイル (*)");
inline const QString kIncomplete = QStringLiteral("場所とコードを入れてください");
inline const QString kChecking = QStringLiteral("データを確かめています…");
inline const QString kReadable = QStringLiteral("読み込めます (最新 %1)");
inline const QString kNoComponents = QStringLiteral("チャートの部品を作れないため確かめられません");

} // namespace AddSecurityTexts

} // namespace mosgrid
