#pragma once

#include <QColor>
#include <QString>

namespace moka {

struct MatchState;
struct RecordTable;

// The game's own modal dialogs, shown over the main window: the registration
// before a tournament game, the announcements and the interrupt.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // An announcement with its text; invalid colours keep the defaults.
    virtual void showInfo(const QString &text, QColor dialogColour = {}, QColor panelColour = {}) = 0;
    // The registration dialog. The name taken comes back in
    // match.playerName, empty when the player gave none (no game).
    virtual void showName(MatchState &match, const RecordTable &records) = 0;
    // The interrupt dialog. "Return to play" sets stopRequest again.
    virtual void showCut() = 0;
};

} // namespace moka
