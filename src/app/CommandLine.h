// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace moka {

// The command line, as Linux players expect it. --help (which also tells
// where the ranking file is kept) and --version print and end the program
// with 0 before any window, so they need no display; an unknown option, an
// unknown language or an argument ends it with 2 and a message on standard
// error. --lang en shows the game in English; Japanese is the default. Qt's own options
// (-platform, -display, -style, …) are left to the application object.
class CommandLine
{
public:
    struct Outcome
    {
        std::optional<int> exitCode; // empty: start the game
        QString out;                 // for standard output
        QString err;                 // for standard error
        QString language;            // --lang's code; empty: Japanese
    };

    // `arguments` starts with the program's name; `languages` are the codes
    // --lang takes.
    static Outcome parse(const QStringList &arguments, const QString &rankingFile,
                         const QStringList &languages = {QStringLiteral("ja")});

    // Parses the process's arguments and prints what they ask for; returns
    // the exit code when the program ends here, else the language asked for
    // in `language`.
    static std::optional<int> handle(int argc, char **argv, QString &language);
};

} // namespace moka
