// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace moka;

namespace {

const QString kRanking = QStringLiteral("/home/p/.local/share/mokaruns/mokaru.dat");

CommandLine::Outcome run(QStringList arguments)
{
    arguments.prepend(QStringLiteral("/usr/games/mokaruns"));
    return CommandLine::parse(arguments, kRanking, {QStringLiteral("ja"), QStringLiteral("en")});
}

} // namespace

TEST(CommandLine, HelpAndVersionPrintAndEndWithZero)
{
    for (const char *help : {"--help", "-h"}) {
        const auto outcome = run({QString::fromLatin1(help)});
        EXPECT_EQ(outcome.exitCode, 0) << help;
        EXPECT_TRUE(outcome.out.startsWith(QStringLiteral("Usage: mokaruns [options]\n")))
            << outcome.out.toStdString();
        EXPECT_TRUE(outcome.out.contains(QStringLiteral("--version")));
        EXPECT_TRUE(outcome.out.contains(QStringLiteral("--lang <language>")));
        EXPECT_TRUE(outcome.out.contains(QStringLiteral("ja, en"))) << "help names the languages";
        EXPECT_TRUE(outcome.out.contains(kRanking)) << "help tells where the ranking file is kept";
        EXPECT_FALSE(outcome.out.contains(QStringLiteral("platform")))
            << "Qt's own options stay out of the help";
        EXPECT_TRUE(outcome.err.isEmpty());
    }
    const auto version = run({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.contains(QRegularExpression(QStringLiteral("^mokaRUNs \\d+\\.\\d+\\.\\d+\n$"))))
        << version.out.toStdString();
}

TEST(CommandLine, UnknownOptionsAndArgumentsEndWithTwoAndSayWhy)
{
    for (const QStringList &wrong :
         {QStringList{QStringLiteral("--bogus")}, QStringList{QStringLiteral("-x")},
          QStringList{QStringLiteral("file.dat")},
          QStringList{QStringLiteral("--style")}, // a value is missing
          QStringList{QStringLiteral("--lang")},
          QStringList{QStringLiteral("--lang"), QStringLiteral("fr")}}) {
        const auto outcome = run(wrong);
        EXPECT_EQ(outcome.exitCode, 2) << wrong.join(' ').toStdString();
        EXPECT_TRUE(outcome.out.isEmpty());
        EXPECT_TRUE(outcome.err.startsWith(QStringLiteral("mokaruns: "))) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.err.contains(QStringLiteral("mokaruns --help")));
    }
    EXPECT_TRUE(run({QStringLiteral("--bogus")}).err.contains(QStringLiteral("bogus")));
    EXPECT_TRUE(run({QStringLiteral("--lang=fr")}).err.contains(QStringLiteral("unknown language 'fr'")));
}

TEST(CommandLine, TheGameStartsWithoutArgumentsOrWithQtsOwnOptions)
{
    for (const QStringList &start :
         {QStringList{}, QStringList{QStringLiteral("-platform"), QStringLiteral("xcb")},
          QStringList{QStringLiteral("-style=fusion"), QStringLiteral("-reverse")},
          QStringList{QStringLiteral("-display"), QStringLiteral(":1")}}) {
        const auto outcome = run(start);
        EXPECT_FALSE(outcome.exitCode.has_value()) << start.join(' ').toStdString();
        EXPECT_TRUE(outcome.out.isEmpty() && outcome.err.isEmpty());
        EXPECT_TRUE(outcome.language.isEmpty()) << "Japanese unless asked";
    }
    for (const QStringList &english : {QStringList{QStringLiteral("--lang"), QStringLiteral("en")},
                                       QStringList{QStringLiteral("--lang=en")},
                                       QStringList{QStringLiteral("-platform"), QStringLiteral("xcb"),
                                                   QStringLiteral("--lang"), QStringLiteral("en")}}) {
        const auto outcome = run(english);
        EXPECT_FALSE(outcome.exitCode.has_value()) << english.join(' ').toStdString();
        EXPECT_EQ(outcome.language, QStringLiteral("en"));
    }
}
