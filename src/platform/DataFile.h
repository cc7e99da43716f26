#pragma once

#include <QByteArray>
#include <QString>

class QSaveFile;

namespace moka {

// Whole-file access for the game's small data file. Reading takes at most
// `maxReadBytes`; saving writes a new file beside the old one and swaps it in
// only once it is complete, so the old file survives any failure (a full
// disk, a crash, a read-only folder) byte for byte. Failures come back as a
// short Japanese description of the cause, worded the same for reading and
// saving, with the system's own text in brackets where it adds something.
class DataFile
{
public:
    // Far more than any data file of the game; a larger file is read only up
    // to here.
    static constexpr qint64 maxReadBytes = 64 * 1024;

    virtual ~DataFile() = default;

    // Something (a file, a folder, ...) is at `path`.
    virtual bool exists(const QString &path) const;
    // Reads the file into `out` (its first maxReadBytes only). On failure
    // `out` is empty and `error` describes why.
    virtual bool read(const QString &path, QByteArray &out, QString &error) const;
    // Replaces the file at `path` with `bytes`, or leaves it untouched and
    // describes why not.
    virtual bool save(const QString &path, const QByteArray &bytes, QString &error);

protected:
    // The two steps of a save that can fail half-way, apart so that a test can
    // make them fail. writeBytes returns the number of bytes written, or -1.
    virtual qint64 writeBytes(QSaveFile &file, const QByteArray &bytes);
    virtual bool commit(QSaveFile &file);
};

} // namespace moka
