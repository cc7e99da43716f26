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
