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
};

} // namespace moka
