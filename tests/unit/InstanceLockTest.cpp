// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/InstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace moka;

namespace {

// Sets XDG_RUNTIME_DIR (unset for an empty value) for one scope.
class RuntimeDir
{
public:
    explicit RuntimeDir(const QByteArray &value)
        : m_had(qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        , m_old(qgetenv("XDG_RUNTIME_DIR"))
    {
        if (value.isEmpty())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", value);
    }
    ~RuntimeDir()
    {
        if (m_had)
            qputenv("XDG_RUNTIME_DIR", m_old);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }

private:
    bool m_had;
    QByteArray m_old;
};

} // namespace

// Another account can make the shared /tmp name first (here: a live lock of
// the same name); the player's private runtime folder keeps the game
// startable. Without a runtime folder the lock goes to /tmp, and there such
// a lock keeps a second copy out as before.
TEST(InstanceLock, LivesInTheRuntimeFolderSoALockPlantedInTmpCannotKeepThePlayerOut)
{
    const QString name = QStringLiteral("mokatest-") + QUuid::createUuid().toString(QUuid::Id128);
    const QString tmpLock = QDir::temp().filePath(QStringLiteral("%1-%2.lock").arg(name).arg(::getuid()));
    QLockFile planted(tmpLock);
    planted.setStaleLockTime(0);
    ASSERT_TRUE(planted.tryLock(0));

    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    {
        RuntimeDir env(QFile::encodeName(runtime.path()));
        InstanceLock lock(name);
        EXPECT_EQ(lock.path(), runtime.filePath(name + QStringLiteral(".lock")));
        EXPECT_TRUE(lock.tryAcquire());
        // ...and it still keeps a second copy out.
        InstanceLock second(name);
        EXPECT_FALSE(second.tryAcquire());
    }
    for (const QByteArray &none :
         {QByteArray(), QByteArray("relative/run"), QFile::encodeName(runtime.filePath("gone"))}) {
        SCOPED_TRACE(none.constData());
        RuntimeDir env(none);
        InstanceLock lock(name);
        EXPECT_EQ(lock.path(), tmpLock);
        EXPECT_FALSE(lock.tryAcquire());
    }
}
