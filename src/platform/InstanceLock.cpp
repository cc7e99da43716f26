#include "platform/InstanceLock.h"

#include <QDir>
#include <QLockFile>

#include <unistd.h>

namespace moka {

InstanceLock::InstanceLock(const QString &name)
    : m_path(QDir::temp().filePath(QStringLiteral("%1-%2.lock").arg(name).arg(::getuid())))
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
