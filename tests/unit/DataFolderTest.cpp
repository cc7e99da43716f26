// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/DataFolder.h"

#include <gtest/gtest.h>

using namespace moka;

namespace {

QString chosen(const char *programFolder, bool writable)
{
    return DataFolder::choose({QString::fromUtf8(programFolder), writable,
                               QStringLiteral("/home/p/.local/share"), QStringLiteral("/home/p")});
}

} // namespace

TEST(DataFolder, APortableGameKeepsItsRankingBesideItself)
{
    EXPECT_EQ(chosen("/home/p/mokaRUNs/build", true), QStringLiteral("/home/p/mokaRUNs/build"));
    EXPECT_EQ(chosen("/tmp/copy/", true), QStringLiteral("/tmp/copy"));
    // Names that only start like a system tree are the player's own.
    EXPECT_EQ(chosen("/usrdata/games2", true), QStringLiteral("/usrdata/games2"));
    EXPECT_EQ(chosen("/home/p/optical", true), QStringLiteral("/home/p/optical"));
}

TEST(DataFolder, AnInstalledGameUsesThePlayersDataFolderEvenWhenItsFolderIsWritable)
{
    // Writable here stands for root, who can write anywhere.
    for (const char *installed :
         {"/usr/games", "/usr/local/bin", "/opt/mokaruns", "/usr", "/", "/snap/mokaruns/1",
          "/home/p/.local/bin", "/srv/games", "/nix/store/x-mokaruns/bin"}) {
        EXPECT_EQ(chosen(installed, true), QStringLiteral("/home/p/.local/share/mokaruns")) << installed;
    }
}

TEST(DataFolder, ACopyInACommandFolderKeepsTheRankingFileBesideIt)
{
    auto withFile = [](const char *programFolder, bool writable, bool fileWritable) {
        DataFolder::Facts facts{QString::fromUtf8(programFolder), writable,
                                QStringLiteral("/home/p/.local/share"), QStringLiteral("/home/p")};
        facts.rankingFileWritable = fileWritable;
        return DataFolder::choose(facts);
    };
    // ~/games/mokaruns unpacked by hand, or ~/bin with its own ranking.
    EXPECT_EQ(withFile("/home/p/games", true, true), QStringLiteral("/home/p/games"));
    EXPECT_EQ(withFile("/home/p/bin", true, true), QStringLiteral("/home/p/bin"));
    // Without one, or one it cannot write, a command folder is installed.
    EXPECT_EQ(withFile("/home/p/games", true, false), QStringLiteral("/home/p/.local/share/mokaruns"));
    EXPECT_EQ(withFile("/home/p/games", false, true), QStringLiteral("/home/p/.local/share/mokaruns"));
    // The system's trees stay the system's, whatever root can write there.
    EXPECT_EQ(withFile("/usr/games", true, true), QStringLiteral("/home/p/.local/share/mokaruns"));
    EXPECT_EQ(withFile("/usr/local/bin", true, true), QStringLiteral("/home/p/.local/share/mokaruns"));
}

TEST(DataFolder, AFolderThePlayerCannotWriteCountsAsInstalled)
{
    EXPECT_EQ(chosen("/home/other/build", false), QStringLiteral("/home/p/.local/share/mokaruns"));
}

TEST(DataFolder, ARelativeXdgDataHomeIsIgnored)
{
    const QString home = QStringLiteral("/home/p");
    EXPECT_EQ(DataFolder::choose({QStringLiteral("/usr/games"), false, QStringLiteral("rel/share"), home}),
              QStringLiteral("/home/p/.local/share/mokaruns"));
    EXPECT_EQ(DataFolder::choose({QStringLiteral("/usr/games"), false, QStringLiteral("/data/p"), home}),
              QStringLiteral("/data/p/mokaruns"));
}
