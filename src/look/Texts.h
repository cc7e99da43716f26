// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/DataFile.h"

#include <QCoreApplication>
#include <QString>

namespace moka {

// The texts the player sees, exactly as the game shows them (ideographic
// spaces included).
class Texts
{
    Q_DECLARE_TR_FUNCTIONS(moka::Texts)

public:
    static QString alreadyRunning()
    {
        return tr("　　既に「 モカランズ　mokaRUNs 」は起動しています！　　　　");
    }
    static QString soundTrouble() { return tr("トラブル＝効果音は使用できません！　　　　"); }
    static QString displayRefused()
    {
        return tr("　　２５６色、又は ６４０×４８０ピクセル では使用できません！  　　");
    }
    static QString farewell() { return tr("お疲れさま．．．"); }

    // Troubles reported in a message box: a Japanese heading in the game's
    // own style; a technical detail (file, record, system text) may follow on
    // a line of its own.
    static QString withDetail(const QString &heading, const QString &detail)
    {
        return detail.isEmpty() ? heading : heading + QLatin1Char('\n') + detail;
    }
    static QString dataUnreadable() { return tr("　　ランキングデータを読み込めません！　　　　"); }
    static QString dataDamaged() { return tr("　　ランキングデータが壊れています！　　　　"); }
    static QString dataUnsaved() { return tr("　　ランキングデータを保存できません！　　　　"); }
    static QString noAudioOutput() { return tr("トラブル＝音を出す装置がありません！　　　　"); }
    static QString unexpectedError() { return tr("トラブル＝予期しないエラーが発生しました！　　　　"); }
    static QString trophyUnreadable() { return tr("トラブル＝優勝カップの絵を読み込めません！　　　　"); }
    static QString trophyDamaged() { return tr("トラブル＝優勝カップの絵が壊れています！　　　　"); }

    // The detail lines under those headings.
    // The ranking file's name, then what went wrong with it.
    static QString rankingFileDetail(const QString &cause) { return tr("mokaru.dat：%1").arg(cause); }
    // What went wrong with a file, the same words on loading and on saving,
    // all of them the game's own (the system's and Qt's are English).
    static QString fileFailure(const DataFile::Failure &failure) { return fileProblem(failure.problem); }
    static QString fileProblem(DataFile::Problem problem)
    {
        switch (problem) {
        case DataFile::Problem::None: break;
        case DataFile::Problem::FolderInTheWay: return tr("同じ名前のフォルダがあります");
        case DataFile::Problem::NotAFile: return tr("普通のファイルではありません");
        case DataFile::Problem::Missing: return tr("ファイルがありません");
        case DataFile::Problem::ReadForbidden: return tr("読み込みが許されていません");
        case DataFile::Problem::CannotOpen: return tr("ファイルを開けません");
        case DataFile::Problem::ReadFailed: return tr("読み込みの途中で失敗しました");
        case DataFile::Problem::NoFolder: return tr("フォルダがありません");
        case DataFile::Problem::WriteForbidden: return tr("フォルダに書き込む許可がありません");
        case DataFile::Problem::CannotCreate: return tr("ファイルを作れません");
        case DataFile::Problem::WriteFailed: return tr("書き込みの途中で失敗しました");
        case DataFile::Problem::FileReadOnly: return tr("ファイルが書き込み禁止になっています");
        case DataFile::Problem::ReadOnlyDisk: return tr("ディスクが読み取り専用です");
        case DataFile::Problem::NoSpace: return tr("ディスクの空きがありません");
        }
        return {};
    }
    // The sound effect `name` (se101.wav ...) that the sound device could not use.
    static QString effectMissing(const QString &name) { return tr("効果音 %1 がありません").arg(name); }
    static QString effectDamaged(const QString &name, const QString &why)
    {
        return tr("効果音 %1 が壊れています（%2）").arg(name, why);
    }
    // Where the trophy's picture comes from.
    static QString trophyResource() { return tr("resource 108"); }
};

} // namespace moka
