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
};

} // namespace moka
