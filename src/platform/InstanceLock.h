// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace moka {

// Tells whether another copy of the game is running. The lock `<name>.lock`
// lives in the player's private runtime folder ($XDG_RUNTIME_DIR, which every
// desktop session sets and no other account can write), and only without one
// the player can write in the shared temporary folder as `<name>-<uid>.lock`, where another account
// could take the name first. A copy that crashed leaves no lock that counts,
// because a lock whose process is gone is taken over.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &name);
    ~InstanceLock();

    // True when this process now holds the lock.
    bool tryAcquire();
    bool held() const { return m_held; }
    QString path() const { return m_path; }

    // Where the lock of `name` goes with the environment as it is.
    static QString pathFor(const QString &name);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
};

} // namespace moka
