#include "platform/DataFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace moka {

namespace {

// The cause in the game's words, the same on loading and on saving; the
// system's own text follows in brackets where it adds something.
QString cause(const QString &what, const QString &system)
{
    return system.isEmpty() ? what : what + QStringLiteral("（") + system + QStringLiteral("）");
}

// What stands at `path` when it is not a file to read or replace.
QString notAFile(const QFileInfo &info)
{
    if (info.isDir())
        return QStringLiteral("同じ名前のフォルダがあります");
    if (info.exists() && !info.isFile())
        return QStringLiteral("普通のファイルではありません");
    return {};
}

} // namespace

bool DataFile::exists(const QString &path) const { return QFileInfo::exists(path); }

bool DataFile::read(const QString &path, QByteArray &out, QString &error) const
{
    out.clear();
    const QFileInfo info(path);
    // A pipe or a device would block or never end.
    error = notAFile(info);
    if (!error.isEmpty())
        return false;
    if (!info.exists()) {
        error = QStringLiteral("ファイルがありません");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = cause(file.error() == QFileDevice::PermissionsError || !info.isReadable()
                          ? QStringLiteral("読み込みが許されていません")
                          : QStringLiteral("ファイルを開けません"),
                      file.errorString());
        return false;
    }
    QByteArray bytes = file.read(maxReadBytes);
    if (file.error() != QFileDevice::NoError) {
        error = cause(QStringLiteral("読み込みの途中で失敗しました"), file.errorString());
        return false;
    }
    out = std::move(bytes);
    return true;
}

bool DataFile::save(const QString &path, const QByteArray &bytes, QString &error)
{
    const QFileInfo info(path);
    error = notAFile(info);
    if (!error.isEmpty())
        return false;
    QSaveFile file(path);
    // Never fall back to writing over the old file in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        const QFileInfo folder(info.absolutePath());
        error = cause(!folder.isDir()        ? QStringLiteral("フォルダがありません")
                      : !folder.isWritable() ? QStringLiteral("書き込みが許されていません")
                                             : QStringLiteral("ファイルを作れません"),
                      file.errorString());
        return false;
    }
    if (writeBytes(file, bytes) != bytes.size()) {
        error = cause(QStringLiteral("書き込みの途中で失敗しました"),
                      file.error() != QFileDevice::NoError ? file.errorString() : QString());
        file.cancelWriting();
        return false;
    }
    if (!commit(file)) {
        error = cause(QStringLiteral("書き込みの途中で失敗しました"), file.errorString());
        return false;
    }
    return true;
}

qint64 DataFile::writeBytes(QSaveFile &file, const QByteArray &bytes) { return file.write(bytes); }

bool DataFile::commit(QSaveFile &file) { return file.commit(); }

} // namespace moka
