// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace moka {

// The pictures, sounds and data compiled into the program.
class Resources
{
public:
    // `name` is a file name under assets/, e.g. "court.bmp".
    static QImage image(const QString &name);
    static QByteArray bytes(const QString &name);
    static bool exists(const QString &name);
    static QString path(const QString &name);
};

} // namespace moka
