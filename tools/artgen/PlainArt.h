// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// Pictures that are a single flat colour.
class PlainArt
{
public:
    // 10 x 250, solid magenta (index 13 of the 16-colour palette): the
    // strip the life bars are cut from.
    static QImage lifebar();

    // 64 x 48, all black, two-colour palette (black, white).
    static QImage black();
};
