#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace moka {

// Tells whether another copy of the game is running. The lock lives in the
// user's temporary folder; a copy that crashed leaves no lock that counts,
// because a lock whose process is gone is taken over.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &name = QStringLiteral("mokaruns"));
    ~InstanceLock();

    // True when this process now holds the lock.
    bool tryAcquire();
    bool held() const { return m_held; }
    QString path() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
};

} // namespace moka
