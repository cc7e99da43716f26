#pragma once

#include <QColor>
#include <QString>

namespace moka {

// The game's own modal messages: the announcement dialog and the interrupt
// dialog, shown over the main window.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // An announcement with its text; invalid colours keep the defaults.
    virtual void showInfo(const QString &text, QColor dialogColour = {}, QColor panelColour = {}) = 0;
    // The interrupt dialog. "Return to play" sets stopRequest again.
    virtual void showCut() = 0;
};

} // namespace moka
