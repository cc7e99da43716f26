#pragma once

#include <QString>

namespace moka {

// The texts the player sees, exactly as the game shows them (ideographic
// spaces included).
class Texts
{
public:
    static QString alreadyRunning()
    {
        return QStringLiteral("　　既に「 モカランズ　mokaRUNs 」は起動しています！　　　　");
    }
    static QString soundTrouble() { return QStringLiteral("トラブル＝効果音は使用できません！　　　　"); }
    static QString displayRefused()
    {
        return QStringLiteral("　　２５６色、又は ６４０×４８０ピクセル では使用できません！  　　");
    }
    static QString farewell() { return QStringLiteral("お疲れさま．．．"); }

    // Troubles reported in a message box: a Japanese heading in the game's
    // own style; a technical detail (file, record, system text) may follow on
    // a line of its own.
    static QString withDetail(const QString &heading, const QString &detail)
    {
        return detail.isEmpty() ? heading : heading + QLatin1Char('\n') + detail;
    }
    static QString dataUnreadable()
    {
        return QStringLiteral("　　ランキングデータを読み込めません！　　　　");
    }
    static QString dataDamaged() { return QStringLiteral("　　ランキングデータが壊れています！　　　　"); }
    static QString dataUnsaved() { return QStringLiteral("　　ランキングデータを保存できません！　　　　"); }
    static QString noAudioOutput() { return QStringLiteral("トラブル＝音を出す装置がありません！　　　　"); }
    static QString unexpectedError()
    {
        return QStringLiteral("トラブル＝予期しないエラーが発生しました！　　　　");
    }
    static QString trophyUnreadable()
    {
        return QStringLiteral("トラブル＝優勝カップの絵を読み込めません！　　　　");
    }
    static QString trophyDamaged()
    {
        return QStringLiteral("トラブル＝優勝カップの絵が壊れています！　　　　");
    }
};

} // namespace moka
