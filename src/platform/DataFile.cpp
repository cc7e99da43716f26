#include "platform/DataFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace moka {

namespace {

// What stands at `path` when it is not a file to read or replace.
DataFile::Problem notAFile(const QFileInfo &info)
{
    if (info.isDir())
        return DataFile::Problem::FolderInTheWay;
    if (info.exists() && !info.isFile())
        return DataFile::Problem::NotAFile;
    return DataFile::Problem::None;
}

bool fail(DataFile::Failure &failure, DataFile::Problem problem, const QString &system = {})
{
    failure = {problem, system};
    return false;
}

} // namespace

bool DataFile::exists(const QString &path) const { return QFileInfo::exists(path); }

bool DataFile::read(const QString &path, QByteArray &out, Failure &failure) const
{
    out.clear();
    failure = {};
    const QFileInfo info(path);
    // A pipe or a device would block or never end.
    if (const Problem problem = notAFile(info); problem != Problem::None)
        return fail(failure, problem);
    if (!info.exists())
        return fail(failure, Problem::Missing);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(failure,
                    file.error() == QFileDevice::PermissionsError || !info.isReadable()
                        ? Problem::ReadForbidden
                        : Problem::CannotOpen,
                    file.errorString());
    }
    QByteArray bytes = file.read(maxReadBytes);
    if (file.error() != QFileDevice::NoError)
        return fail(failure, Problem::ReadFailed, file.errorString());
    out = std::move(bytes);
    return true;
}

bool DataFile::save(const QString &path, const QByteArray &bytes, Failure &failure)
{
    failure = {};
    const QFileInfo info(path);
    if (const Problem problem = notAFile(info); problem != Problem::None)
        return fail(failure, problem);
    QSaveFile file(path);
    // Never fall back to writing over the old file in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        const QFileInfo folder(info.absolutePath());
        return fail(failure,
                    !folder.isDir()        ? Problem::NoFolder
                    : !folder.isWritable() ? Problem::WriteForbidden
                                           : Problem::CannotCreate,
                    file.errorString());
    }
    if (writeBytes(file, bytes) != bytes.size()) {
        const QString system = file.error() != QFileDevice::NoError ? file.errorString() : QString();
        file.cancelWriting();
        return fail(failure, Problem::WriteFailed, system);
    }
    if (!commit(file))
        return fail(failure, Problem::WriteFailed, file.errorString());
    return true;
}

qint64 DataFile::writeBytes(QSaveFile &file, const QByteArray &bytes) { return file.write(bytes); }

bool DataFile::commit(QSaveFile &file) { return file.commit(); }

} // namespace moka
