#pragma once

#include <QString>

namespace mosgrid {

// Texts of editing lists, making new ones and opening folders as catalogs, in one place.
namespace EditTexts {

inline const QString kMenuEdit = QStringLiteral("編集(&E)");
inline const QString kMenuAdd = QStringLiteral("銘柄を追加…");
inline const QString kMenuDelete = QStringLiteral("削除");
inline const QString kMenuMoveUp = QStringLiteral("上へ");
inline const QString kMenuMoveDown = QStringLiteral("下へ");
inline const QString kMenuPaste = QStringLiteral("貼り付け");
inline const QString kMenuUndo = QStringLiteral("元に戻す");
inline const QString kMenuRedo = QStringLiteral("やり直し");
inline const QString kMenuNewList = QStringLiteral("新規一覧");
inline const QString kMenuSaveAs = QStringLiteral("名前を付けて保存…");
inline const QString kMenuOpenFolder = QStringLiteral("フォルダを開く…");
inline const QString kMenuSaveShown = QStringLiteral("表示中の銘柄を一覧として保存…");

// Command strings: status-bar prompt, line break, tool tip.
inline const QString kCmdAdd = QStringLiteral("一覧に銘柄を加える\n銘柄を追加");
inline const QString kCmdDelete = QStringLiteral("選んだ銘柄を一覧から除く\n削除");
inline const QString kCmdMoveUp = QStringLiteral("選んだ銘柄を一覧の一つ前へ移す\n上へ");
inline const QString kCmdMoveDown = QStringLiteral("選んだ銘柄を一覧の一つ後へ移す\n下へ");
inline const QString kCmdPaste =
    QStringLiteral("クリップボードのコード (と名前) を銘柄として加える\n貼り付け");
inline const QString kCmdUndo = QStringLiteral("一覧の最後の変更を取り消す\n元に戻す");
inline const QString kCmdRedo = QStringLiteral("取り消した変更をもう一度行う\nやり直し");
inline const QString kCmdNewList = QStringLiteral("空の一覧を始める\n新規一覧");
inline const QString kCmdSaveAs = QStringLiteral("一覧を別の名前で保存する\n名前を付けて保存");
inline const QString kCmdOpenFolder = QStringLiteral(
    "価格ファイルのフォルダまたはデータベースを一覧として開く\nフォルダを開く");
inline const QString kCmdSaveShown = QStringLiteral(
    "表示中の (複数選んだときは選んだ) 銘柄を新しい一覧ファイルに保存する\n表示中を保存");

// File dialogs.
inline const QString kSaveCaption = QStringLiteral("一覧ファイルの保存");
inline const QString kSaveShownCaption = QStringLiteral("表示中の銘柄を一覧として保存");
inline const QString kOpenFolderCaption = QStringLiteral("フォルダを開く");
inline const QString kListFilter =
    QStringLiteral("一覧ファイル (*.lst *.txt *.csv);;すべてのファイル (*)");

// Messages.
inline const QString kNotWritable = QStringLiteral(
    "この一覧は書き換えられません (%1)。\n名前を付けて保存し、保存した一覧を編集しますか?");
inline const QString kWhyFolder = QStringLiteral("フォルダまたはデータベースの一覧です");
inline const QString kWhyStream = QStringLiteral("パイプから読んだか、読んだ後に削除された一覧です");
inline const QString kWhyReadOnly = QStringLiteral("読み取り専用のファイルです");
inline const QString kChangedOnDisk = QStringLiteral(
    "一覧ファイルがほかのプログラムで変更されていたため、読み直しました。\n"
    "もう一度操作してください。");
inline const QString kCannotWrite = QStringLiteral("一覧ファイルを書き込めません: %1");
inline const QString kNotInShiftJis = QStringLiteral(
    "「%1」はこの一覧の文字コード (Shift-JIS) で書けない文字を含むため、追加できません。");
inline const QString kFieldHasSeparator = QStringLiteral(
    "「%1」にはカンマや改行など一覧に書けない文字が含まれるため、追加できません。");
inline const QString kFieldNotUtf8 = QStringLiteral("文字として読めない値は追加できません。");
inline const QString kLineEndsReading = QStringLiteral(
    "一覧の読み込みを終わらせる文字を含む行があるため、この位置は編集できません。");
inline const QString kWouldChangeOthers = QStringLiteral(
    "この変更は一覧のほかの行の読み方を変えてしまうため、行いませんでした。");
inline const QString kNothingPasted =
    QStringLiteral("クリップボードに銘柄として読める行がありません");
inline const QString kStatusSaved = QStringLiteral("%1 銘柄を保存しました: %2");
inline const QString kSkippedOnSave = QStringLiteral(
    "%1 銘柄はコードや名前にカンマや改行を含むため、一覧に書けませんでした。");
inline const QString kCannotSave = QStringLiteral("一覧ファイルを保存できません: %1\n%2");
inline const QString kStatusNewList = QStringLiteral("新しい一覧です。最初の銘柄を加えると保存します");

} // namespace EditTexts

} // namespace mosgrid
