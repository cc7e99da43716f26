// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace moka {

// Where the game keeps its ranking file.
//
// A portable game, one whose own folder the player can write (build/ of
// ./play.sh, or any folder a copy of the game was put in), keeps it beside
// its executable. An installed game keeps it in the player's data folder,
// ${XDG_DATA_HOME:-~/.local/share}/<application name in lower case>/, made
// on first use; an
// XDG_DATA_HOME that is not an absolute path is ignored, as the XDG base
// directory rules ask (Qt would take it relative to the working folder).
//
// A game counts as installed when its folder, symbolic links resolved,
//  - lies in one of the system's trees: /usr (so also /usr/local and
//    /usr/games), /opt, /bin, /sbin, /lib…, /etc, /boot, /snap, /nix, /app, or
//    is / itself;
//  - is a folder for commands, named bin, sbin or games (~/.local/bin after
//    `cmake --install build --prefix ~/.local`), where data has no place,
//    unless a ranking file the player can write already lies there (a copy
//    unpacked by hand into ~/games keeps the ranking it has); or
//  - cannot be written by the player.
// The system's trees decide by place, not by permission, so a game run by
// root (who can write anywhere) still never writes into a system folder.
class DataFolder
{
public:
    // What the choice depends on, gathered by forThisProgram().
    struct Facts
    {
        QString programFolder;            // absolute, symbolic links resolved
        bool programFolderWritable;       // by the player running the game
        QString playerDataHome;           // from QStandardPaths: ${XDG_DATA_HOME:-~/.local/share}
        QString home;                     // the player's home folder
        bool rankingFileWritable = false; // a ranking file the player can write lies in programFolder
    };

    // The ranking file's name, in whichever folder is chosen.
    static QString rankingFile() { return QStringLiteral("mokaru.dat"); }

    // The folder for the ranking file, without a trailing '/'.
    static QString choose(const Facts &facts);
    // The program's folder is one the system owns.
    static bool systemPlace(const QString &programFolder);
    // The program's folder is one the system owns or one for commands.
    static bool installedPlace(const QString &programFolder);

    // The folder of the running program's ranking file. Creates nothing.
    static QString forThisProgram();
    // Makes `folder` and its parents where missing; true when it exists.
    static bool make(const QString &folder);
};

} // namespace moka
