// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <unistd.h>

namespace moka {

namespace {

bool isWithin(const QString &folder, const QString &tree)
{
    return folder == tree || folder.startsWith(tree + QLatin1Char('/'));
}

} // namespace

bool DataFolder::systemPlace(const QString &programFolder)
{
    const QString folder = QDir::cleanPath(programFolder);
    if (folder == QLatin1String("/"))
        return true;
    static const QStringList systemTrees{
        QStringLiteral("/usr"), QStringLiteral("/opt"),   QStringLiteral("/bin"),   QStringLiteral("/sbin"),
        QStringLiteral("/lib"), QStringLiteral("/lib32"), QStringLiteral("/lib64"), QStringLiteral("/libx32"),
        QStringLiteral("/etc"), QStringLiteral("/boot"),  QStringLiteral("/snap"),  QStringLiteral("/nix"),
        QStringLiteral("/app"),
    };
    for (const QString &tree : systemTrees) {
        if (isWithin(folder, tree))
            return true;
    }
    return false;
}

bool DataFolder::installedPlace(const QString &programFolder)
{
    if (systemPlace(programFolder))
        return true;
    const QString name = QFileInfo(QDir::cleanPath(programFolder)).fileName();
    return name == QLatin1String("bin") || name == QLatin1String("sbin") || name == QLatin1String("games");
}

QString DataFolder::choose(const Facts &facts)
{
    const bool portable = facts.programFolderWritable && !systemPlace(facts.programFolder) &&
                          (facts.rankingFileWritable || !installedPlace(facts.programFolder));
    if (portable)
        return QDir::cleanPath(facts.programFolder);
    const QString dataHome = QDir::isAbsolutePath(facts.playerDataHome)
                                 ? facts.playerDataHome
                                 : facts.home + QStringLiteral("/.local/share");
    return QDir::cleanPath(dataHome + QLatin1Char('/') + QCoreApplication::applicationName().toLower());
}

QString DataFolder::forThisProgram()
{
    // The kernel's own link to the running executable; it works before (and
    // without) an application object, as the command line needs.
    QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (program.isEmpty() && QCoreApplication::instance())
        program = QCoreApplication::applicationFilePath();
    Facts facts;
    facts.programFolder = QFileInfo(program).canonicalPath();
    facts.programFolderWritable =
        !facts.programFolder.isEmpty() &&
        ::access(QFile::encodeName(facts.programFolder).constData(), W_OK | X_OK) == 0;
    facts.playerDataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    facts.home = QDir::homePath();
    const QString beside = facts.programFolder + QLatin1Char('/') + rankingFile();
    facts.rankingFileWritable = !facts.programFolder.isEmpty() && QFileInfo(beside).isFile() &&
                                ::access(QFile::encodeName(beside).constData(), W_OK) == 0;
    return choose(facts);
}

bool DataFolder::make(const QString &folder) { return QDir().mkpath(folder); }

} // namespace moka
