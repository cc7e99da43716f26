// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"

#include "platform/DataFolder.h"
#include "platform/Language.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

#ifndef MOKA_VERSION
#define MOKA_VERSION "0"
#endif

namespace moka {

namespace {

// The options QGuiApplication and QApplication take themselves; the first
// group carries a value.
const char *const qtValueOptions[] = {"platform",        "platformpluginpath", "platformtheme", "plugin",
                                      "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
                                      "display",         "geometry",           "style",         "stylesheet"};
const char *const qtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

} // namespace

CommandLine::Outcome CommandLine::parse(const QStringList &arguments, const QString &rankingFile,
                                        const QStringList &languages)
{
    const QString name =
        arguments.isEmpty() ? QStringLiteral("mokaruns") : QFileInfo(arguments.constFirst()).fileName();
    QCommandLineParser parser;
    // Qt's options come with one dash and a whole word.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "mokaRUNs (モカランズ！), a tennis-style arcade game: beat the computer through nine rounds "
        "and become the champion."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and where the ranking file is kept."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version."));
    const QCommandLineOption language(
        QStringLiteral("lang"),
        QStringLiteral("Show the game's texts in <language>, one of: %1. Japanese (ja) is the default.")
            .arg(languages.join(QStringLiteral(", "))),
        QStringLiteral("language"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(language);
    for (const char *qt : qtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(qt), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *qt : qtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(qt));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    Outcome outcome;
    const QString tryHelp = QStringLiteral("Try '%1 --help' for more information.\n").arg(name);
    if (!parser.parse(arguments)) {
        outcome.exitCode = 2;
        outcome.err = name + QStringLiteral(": ") + parser.errorText() + QLatin1Char('\n') + tryHelp;
        return outcome;
    }
    if (parser.isSet(help)) {
        QString text = parser.helpText();
        // Without an application object Qt cannot name the program itself.
        const qsizetype end = text.indexOf(QLatin1Char('\n'));
        text.replace(0, end, QStringLiteral("Usage: %1 [options]").arg(name));
        text += QStringLiteral("\nThe ranking file (the champion and the four best players):\n  %1\n"
                               "A game in a folder of the player's own keeps it beside the executable;\n"
                               "an installed game keeps it in ${XDG_DATA_HOME:-~/.local/share}/mokaruns/.\n"
                               "A copy in a folder named bin or games counts as installed, unless a\n"
                               "mokaru.dat it can write already lies beside it: then it keeps using that.\n")
                    .arg(rankingFile);
        outcome.exitCode = 0;
        outcome.out = text;
        return outcome;
    }
    if (parser.isSet(version)) {
        outcome.exitCode = 0;
        outcome.out = QStringLiteral("mokaRUNs %1\n").arg(QStringLiteral(MOKA_VERSION));
        return outcome;
    }
    if (parser.isSet(language)) {
        outcome.language = parser.value(language);
        if (!languages.contains(outcome.language)) {
            outcome.exitCode = 2;
            outcome.err = QStringLiteral("%1: unknown language '%2' (choose one of: %3).\n%4")
                              .arg(name, outcome.language, languages.join(QStringLiteral(", ")), tryHelp);
            return outcome;
        }
    }
    if (!parser.positionalArguments().isEmpty()) {
        outcome.exitCode = 2;
        outcome.err = QStringLiteral("%1: unexpected argument '%2'.\n%3")
                          .arg(name, parser.positionalArguments().constFirst(), tryHelp);
    }
    return outcome;
}

std::optional<int> CommandLine::handle(int argc, char **argv, QString &language)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const Outcome outcome =
        parse(arguments, DataFolder::forThisProgram() + QStringLiteral("/mokaru.dat"), Language::available());
    language = outcome.language;
    std::fputs(outcome.out.toLocal8Bit().constData(), stdout);
    std::fputs(outcome.err.toLocal8Bit().constData(), stderr);
    return outcome.exitCode;
}

} // namespace moka
