// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Resources.h"

#include <QFile>

namespace moka {

QString Resources::path(const QString &name) { return QStringLiteral(":/assets/") + name; }

QImage Resources::image(const QString &name) { return QImage(path(name)); }

QByteArray Resources::bytes(const QString &name)
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool Resources::exists(const QString &name) { return QFile::exists(path(name)); }

} // namespace moka
