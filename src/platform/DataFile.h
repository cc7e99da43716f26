// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

class QSaveFile;

namespace moka {

// Whole-file access for the game's small data file. Reading takes at most
// `maxReadBytes`; saving writes a new file beside the old one and swaps it in
// only once it is complete, so the old file survives any failure (a full
// disk, a crash, a read-only folder) byte for byte. A failure comes back as
// what went wrong, the same kinds for reading and saving; the words the
// player reads for it are the game's (Texts::fileFailure), in the player's
// language, never the system's or Qt's English.
class DataFile
{
public:
    // Far more than any data file of the game; a larger file is read only up
    // to here.
    static constexpr qint64 maxReadBytes = 64 * 1024;

    enum class Problem {
        None,
        FolderInTheWay, // a folder of the same name stands at the path
        NotAFile,       // something else that is not a plain file (a pipe, a device)
        Missing,        // nothing at the path
        ReadForbidden,
        CannotOpen,
        ReadFailed,     // failed half-way through reading
        NoFolder,       // the file's folder does not exist
        WriteForbidden, // the folder (or, where it is missing, the one it would be made in) cannot be written
        CannotCreate,
        WriteFailed,  // failed half-way through writing or swapping in
        FileReadOnly, // the file itself cannot be written
        ReadOnlyDisk, // the file system is mounted read-only
        NoSpace,      // the disk (or the player's quota) is full
    };
    struct Failure
    {
        Problem problem = Problem::None;
    };

    virtual ~DataFile() = default;

    // Something (a file, a folder, ...) is at `path`.
    virtual bool exists(const QString &path) const;
    // Reads the file into `out` (its first maxReadBytes only). On failure
    // `out` is empty and `failure` says why.
    virtual bool read(const QString &path, QByteArray &out, Failure &failure) const;
    // Replaces the file at `path` with `bytes`, or leaves it untouched and
    // says why not.
    virtual bool save(const QString &path, const QByteArray &bytes, Failure &failure);
    // Whether a save of `bytes` bytes at `path` would succeed now, found
    // without touching what is there: the folder must let the player make
    // files in it, a file already there must be writable, and the disk must
    // take a new file of that size, tried with a probe file beside it (named
    // after the file, with ".probe-" and six random characters) that is
    // removed at once. A folder that is missing is judged by the nearest
    // folder above it: a home the player cannot write says so, not that the
    // folder is missing.
    virtual bool canSave(const QString &path, qint64 bytes, Failure &failure) const;

protected:
    // The two steps of a save that can fail half-way, apart so that a test can
    // make them fail. writeBytes returns the number of bytes written, or -1.
    virtual qint64 writeBytes(QSaveFile &file, const QByteArray &bytes);
    virtual bool commit(QSaveFile &file);
};

} // namespace moka
