// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace moka {

// The program's own connection to the X server, as Qt opened it, and what
// every piece of code speaking to the server needs with it: the root window,
// atoms by name and replies that free themselves. Nothing but desktop/ sees
// the server.
class Xcb
{
public:
    struct FreeReply
    {
        void operator()(void *reply) const { std::free(reply); }
    };
    // A reply or error from the server, freed when it goes.
    template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

    // Qt's connection, or null off X11 or once the connection broke.
    static xcb_connection_t *connection();
    // The root window of the connection's first screen.
    static xcb_window_t root(xcb_connection_t *c);
    static const xcb_screen_t *screen(xcb_connection_t *c);
    // The atom called `name`, made when `create` (XCB_ATOM_NONE when it does
    // not exist and is not to be made).
    static xcb_atom_t atom(xcb_connection_t *c, const char *name, bool create = false);
};

} // namespace moka
