#include "platform/DataFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace moka {

bool DataFile::exists(const QString &path) const { return QFileInfo::exists(path); }

bool DataFile::read(const QString &path, QByteArray &out, QString &error) const
{
    out.clear();
    const QFileInfo info(path);
    // A pipe or a device would block or never end; folders are left to
    // QFile, which has its own words for them.
    if (info.exists() && !info.isFile() && !info.isDir()) {
        error = QStringLiteral("Not a regular file");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    QByteArray bytes = file.read(maxReadBytes);
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    out = std::move(bytes);
    return true;
}

bool DataFile::save(const QString &path, const QByteArray &bytes, QString &error)
{
    QSaveFile file(path);
    // Never fall back to writing over the old file in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (writeBytes(file, bytes) != bytes.size()) {
        error = file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("Write error");
        file.cancelWriting();
        return false;
    }
    if (!commit(file)) {
        error = file.errorString();
        return false;
    }
    return true;
}

qint64 DataFile::writeBytes(QSaveFile &file, const QByteArray &bytes) { return file.write(bytes); }

bool DataFile::commit(QSaveFile &file) { return file.commit(); }

} // namespace moka
