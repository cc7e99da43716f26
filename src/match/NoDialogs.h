#pragma once

#include "match/Dialogs.h"

namespace moka {

// Until the dialogs exist: announcements pass silently and an interrupt
// abandons the game.
class NoDialogs : public Dialogs
{
public:
    void showInfo(const QString &, QColor, QColor) override {}
    void showCut() override {}
};

} // namespace moka
