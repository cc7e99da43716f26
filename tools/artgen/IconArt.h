// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

// The window and desktop icon: a yellow ball above a tilted oval racket with
// an olive frame and grey strings, on a transparent background. Drawn as
// vectors at every size rather than scaled from one bitmap.
class IconArt
{
public:
    static QImage render(int size);
};
