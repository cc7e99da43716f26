// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/DataFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

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

bool fail(DataFile::Failure &failure, DataFile::Problem problem)
{
    failure = {problem};
    return false;
}

// Whether the player may use `path` so (access's R_OK, W_OK, X_OK), as the
// game's files are opened: by the effective user and with its rights (Qt's
// QFileInfo asks for the real user, root even without its rights).
bool allowed(const QString &path, int mode, int &error)
{
    if (::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), mode, AT_EACCESS) == 0)
        return true;
    error = errno;
    return false;
}

// Whether the player may write the file `path`, or make files in the
// folder `path`.
bool writable(const QString &path, bool folder, int &error)
{
    return allowed(path, folder ? W_OK | X_OK : W_OK, error);
}

// What an error of the system while writing means to the player.
DataFile::Problem writeProblem(int error, DataFile::Problem otherwise)
{
    switch (error) {
    case EROFS: return DataFile::Problem::ReadOnlyDisk;
    case ENOSPC:
    case EDQUOT: return DataFile::Problem::NoSpace;
    case EACCES:
    case EPERM: return DataFile::Problem::WriteForbidden;
    default: return otherwise;
    }
}

// Why the file itself cannot be written.
DataFile::Problem fileWriteProblem(int error)
{
    const DataFile::Problem problem = writeProblem(error, DataFile::Problem::FileReadOnly);
    return problem == DataFile::Problem::WriteForbidden ? DataFile::Problem::FileReadOnly : problem;
}

// Makes, fills with `bytes` zero bytes and removes a file in `folder`.
DataFile::Problem probe(const QString &folder, const QString &name, qint64 bytes)
{
    QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name + QStringLiteral(".probe-XXXXXX"));
    const int fd = ::mkostemp(path.data(), O_CLOEXEC);
    if (fd < 0)
        return writeProblem(errno, DataFile::Problem::CannotCreate);
    DataFile::Problem problem = DataFile::Problem::None;
    const QByteArray zeros(qsizetype(std::max<qint64>(1, bytes)), '\0');
    for (qsizetype done = 0; done < zeros.size();) {
        const ssize_t n = ::write(fd, zeros.constData() + done, size_t(zeros.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            problem = writeProblem(n < 0 ? errno : ENOSPC, DataFile::Problem::WriteFailed);
            break;
        }
        done += n;
    }
    if (::close(fd) != 0 && problem == DataFile::Problem::None)
        problem = writeProblem(errno, DataFile::Problem::WriteFailed);
    ::unlink(path.constData());
    return problem;
}

// Why a save at `path` would fail now, or None.
DataFile::Problem saveProblem(const QString &path, qint64 bytes)
{
    const QFileInfo info(path);
    if (const DataFile::Problem problem = notAFile(info); problem != DataFile::Problem::None)
        return problem;
    const QString folder = info.absolutePath();
    int error = 0;
    if (!QFileInfo(folder).isDir()) {
        QString above = folder;
        while (!QFileInfo::exists(above) && above != QLatin1String("/"))
            above = QFileInfo(above).absolutePath();
        if (QFileInfo(above).isDir() && !writable(above, true, error))
            return writeProblem(error, DataFile::Problem::WriteForbidden);
        return DataFile::Problem::NoFolder;
    }
    if (!writable(folder, true, error))
        return writeProblem(error, DataFile::Problem::WriteForbidden);
    if (info.exists() && !writable(path, false, error))
        return fileWriteProblem(error);
    return probe(folder, info.fileName(), bytes);
}

// Why a save failed half-way: Qt does not keep the system's reason, so a
// full or read-only disk is found the way canSave() finds it.
DataFile::Problem writeFailure(const QString &path, qint64 bytes)
{
    const DataFile::Problem problem = saveProblem(path, bytes);
    return problem == DataFile::Problem::NoSpace || problem == DataFile::Problem::ReadOnlyDisk
               ? problem
               : DataFile::Problem::WriteFailed;
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
        int error = 0;
        return fail(failure, file.error() == QFileDevice::PermissionsError || !allowed(path, R_OK, error)
                                 ? Problem::ReadForbidden
                                 : Problem::CannotOpen);
    }
    QByteArray bytes = file.read(maxReadBytes);
    if (file.error() != QFileDevice::NoError)
        return fail(failure, Problem::ReadFailed);
    out = std::move(bytes);
    return true;
}

bool DataFile::save(const QString &path, const QByteArray &bytes, Failure &failure)
{
    failure = {};
    const QFileInfo info(path);
    if (const Problem problem = notAFile(info); problem != Problem::None)
        return fail(failure, problem);
    // A file the player may not write is not replaced either.
    if (int error = 0; info.exists() && !writable(path, false, error))
        return fail(failure, fileWriteProblem(error));
    QSaveFile file(path);
    // Never fall back to writing over the old file in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        // Qt's reason is English text; the same look as canSave() names it.
        const Problem problem = saveProblem(path, bytes.size());
        return fail(failure, problem != Problem::None ? problem : Problem::CannotCreate);
    }
    if (writeBytes(file, bytes) != bytes.size()) {
        file.cancelWriting();
        return fail(failure, writeFailure(path, bytes.size()));
    }
    if (!commit(file))
        return fail(failure, writeFailure(path, bytes.size()));
    return true;
}

bool DataFile::canSave(const QString &path, qint64 bytes, Failure &failure) const
{
    failure = {};
    const Problem problem = saveProblem(path, bytes);
    if (problem != Problem::None)
        return fail(failure, problem);
    return true;
}

qint64 DataFile::writeBytes(QSaveFile &file, const QByteArray &bytes) { return file.write(bytes); }

bool DataFile::commit(QSaveFile &file) { return file.commit(); }

} // namespace moka
