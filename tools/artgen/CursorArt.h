// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The mouse pointers over the court, 32 x 32 with alpha: black or fully
// transparent, nothing in between.
class CursorArt
{
public:
    // Hot spot of both pointers.
    static constexpr int HotX = 16;
    static constexpr int HotY = 20;

    // An oval racket with strings in black outline, the centre of its face on
    // the hot spot and the handle down to the lower left.
    static QImage racket();

    // Nothing at all: the pointer while the swing plays.
    static QImage none();
};
