#pragma once

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
};

} // namespace moka
