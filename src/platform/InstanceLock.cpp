// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <fcntl.h>
#include <unistd.h>

namespace moka {

QString InstanceLock::pathFor(const QString &name)
{
    // An unset, relative or missing runtime folder counts as none, and so
    // does one the player cannot make files in (after `su user` without
    // `-`, the folder of the account su came from).
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir() &&
        ::faccessat(AT_FDCWD, QFile::encodeName(runtime).constData(), W_OK | X_OK, AT_EACCESS) == 0)
        return QDir(runtime).filePath(name + QStringLiteral(".lock"));
    return QDir::temp().filePath(QStringLiteral("%1-%2.lock").arg(name).arg(::getuid()));
}

InstanceLock::InstanceLock(const QString &name)
    : m_path(pathFor(name))
    , m_lock(std::make_unique<QLockFile>(m_path))
{
    // Only a dead owner makes a lock stale, however long the game has run.
    m_lock->setStaleLockTime(0);
}

InstanceLock::~InstanceLock()
{
    if (m_held)
        m_lock->unlock();
}

bool InstanceLock::tryAcquire()
{
    if (!m_held)
        m_held = m_lock->tryLock(0);
    return m_held;
}

} // namespace moka
