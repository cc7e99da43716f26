// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MemoryBoard.h"
#include "VirtualPlatform.h"

#include "data/RecordTable.h"
#include "data/modDATA.h"
#include "platform/DataFile.h"
#include "state/MatchState.h"
#include "state/RallyState.h"

#include <gtest/gtest.h>

using namespace moka;

namespace {

const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
const QColor kPurple(128, 0, 128);

struct Entry
{
    std::int32_t stage;
    const char *name;
};

// The ranking procedures on a table set up by each test; no file is touched.
struct Ranking
{
    void set(std::array<Entry, 5> entries)
    {
        for (int i = 0; i < 5; ++i) {
            table.rankStage[i] = entries[i].stage;
            table.rankName[i] = QString::fromUtf8(entries[i].name);
        }
    }
    void expect(std::array<Entry, 5> entries) const
    {
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(table.rankStage[i], entries[i].stage) << "entry " << i;
            EXPECT_EQ(table.rankName[i], QString::fromUtf8(entries[i].name)) << "entry " << i;
        }
    }
    void win(const char *player, std::int32_t round)
    {
        match.playerName = QString::fromUtf8(player);
        rally.level = round;
        data.SET_RANKING();
    }
    void expectMarked(int marked) const
    {
        EXPECT_EQ(board.lineBackground(0), kPurple);
        for (int i = 1; i <= 5; ++i)
            EXPECT_EQ(board.lineBackground(i), i == marked ? kBlue : kBlack) << "line " << i;
    }

    VirtualPlatform platform;
    DataFile file;
    RecordTable table;
    MatchState match;
    RallyState rally;
    MemoryBoard board;
    modDATA data{platform, file, table, match.playerName, rally.level, board};
};

} // namespace

TEST(SetRanking, NewcomersEnterAboveEqualStagesAndPushTheFourthOut)
{
    {
        SCOPED_TRACE("first win into an empty ranking");
        Ranking r;
        r.win("ABC", 1);
        r.expect({{{0, ""}, {1, "ABC"}, {0, ""}, {0, ""}, {0, ""}}});
        EXPECT_EQ(r.board.line(0), QStringLiteral(" P\uFF1A "));
        EXPECT_EQ(r.board.line(1), QStringLiteral(" 1- ABC"));
        EXPECT_EQ(r.board.line(2), QString());
        EXPECT_EQ(r.board.line(5), QStringLiteral(" N\uFF1A "));
        r.expectMarked(1);
        EXPECT_TRUE(r.platform.messages.isEmpty());
    }
    {
        SCOPED_TRACE("equal to entry 2");
        Ranking r;
        r.set({{{10, "CH"}, {8, "AAA"}, {5, "BBB"}, {4, "CCC"}, {2, "DDD"}}});
        r.board.setLineBackground(5, kBlue); // the tournament start marked the newcomer line
        r.board.setLine(5, QStringLiteral(" N\uFF1A NEW"));
        r.win("NEW", 5);
        r.expect({{{10, "CH"}, {8, "AAA"}, {5, "NEW"}, {5, "BBB"}, {4, "CCC"}}});
        EXPECT_EQ(r.board.line(0), QStringLiteral(" P\uFF1A CH"));
        EXPECT_EQ(r.board.line(2), QStringLiteral(" 5- NEW"));
        EXPECT_EQ(r.board.line(3), QStringLiteral(" 5- BBB"));
        EXPECT_EQ(r.board.line(4), QStringLiteral(" 4- CCC"));
        EXPECT_EQ(r.board.line(5), QStringLiteral(" N\uFF1A "));
        r.expectMarked(2);
    }
    {
        SCOPED_TRACE("only above entry 4, which it replaces");
        Ranking r;
        r.set({{{0, ""}, {8, "AAA"}, {7, "BBB"}, {6, "CCC"}, {2, "DDD"}}});
        r.win("NEW", 3);
        r.expect({{{0, ""}, {8, "AAA"}, {7, "BBB"}, {6, "CCC"}, {3, "NEW"}}});
        EXPECT_EQ(r.board.line(4), QStringLiteral(" 3- NEW"));
        r.expectMarked(4);
    }
    {
        SCOPED_TRACE("a full ranking above the newcomer");
        Ranking r;
        r.set({{{10, "CH"}, {9, "AAA"}, {9, "BBB"}, {8, "CCC"}, {8, "DDD"}}});
        r.win("NEW", 3);
        r.expect({{{10, "CH"}, {9, "AAA"}, {9, "BBB"}, {8, "CCC"}, {8, "DDD"}}});
        EXPECT_EQ(r.board.changes, 0);
        EXPECT_TRUE(r.platform.messages.isEmpty());
    }
    {
        SCOPED_TRACE("names are compared exactly");
        Ranking r;
        r.set({{{0, ""}, {3, "ABC"}, {0, ""}, {0, ""}, {0, ""}}});
        r.win("abc", 2);
        r.expect({{{0, ""}, {3, "ABC"}, {2, "abc"}, {0, ""}, {0, ""}}});
        r.expectMarked(2);
    }
}

TEST(SetRanking, RankedPlayersMoveUpAndAreListedOnce)
{
    {
        SCOPED_TRACE("the first-ranked raises entry 1");
        Ranking r;
        r.set({{{0, ""}, {3, "ABC"}, {2, "DEF"}, {0, ""}, {0, ""}}});
        r.board.setLineBackground(1, kBlue);
        r.win("ABC", 4);
        r.expect({{{0, ""}, {4, "ABC"}, {2, "DEF"}, {0, ""}, {0, ""}}});
        EXPECT_EQ(r.board.line(1), QStringLiteral(" 4- ABC"));
        EXPECT_EQ(r.board.line(2), QStringLiteral(" 2- DEF"));
        r.expectMarked(1);
    }
    {
        SCOPED_TRACE("from entry 3 past entry 2, not past entry 1");
        Ranking r;
        r.set({{{0, ""}, {8, "AAA"}, {4, "BBB"}, {3, "CCC"}, {1, "DDD"}}});
        r.win("CCC", 5);
        r.expect({{{0, ""}, {8, "AAA"}, {5, "CCC"}, {4, "BBB"}, {1, "DDD"}}});
        EXPECT_EQ(r.board.line(2), QStringLiteral(" 5- CCC"));
        EXPECT_EQ(r.board.line(3), QStringLiteral(" 4- BBB"));
        r.expectMarked(2);
    }
    {
        SCOPED_TRACE("past equal stages up to entry 1");
        Ranking r;
        r.set({{{0, ""}, {5, "AAA"}, {5, "BBB"}, {4, "CCC"}, {4, "DDD"}}});
        r.win("DDD", 5);
        r.expect({{{0, ""}, {5, "DDD"}, {5, "AAA"}, {5, "BBB"}, {4, "CCC"}}});
        r.expectMarked(1);
    }
    {
        SCOPED_TRACE("raised in place");
        Ranking r;
        r.set({{{0, ""}, {8, "AAA"}, {6, "BBB"}, {3, "CCC"}, {0, ""}}});
        r.win("CCC", 4);
        r.expect({{{0, ""}, {8, "AAA"}, {6, "BBB"}, {4, "CCC"}, {0, ""}}});
        r.expectMarked(3);
    }
    {
        SCOPED_TRACE("already at or above the won round: nothing changes");
        Ranking r;
        r.set({{{0, ""}, {8, "AAA"}, {6, "BBB"}, {0, ""}, {0, ""}}});
        r.win("BBB", 6);
        r.win("AAA", 2);
        r.expect({{{0, ""}, {8, "AAA"}, {6, "BBB"}, {0, ""}, {0, ""}}});
        EXPECT_EQ(r.board.changes, 0);
        EXPECT_TRUE(r.platform.messages.isEmpty());
    }
    {
        // A hand-edited file can leave the ranking out of order; moving up
        // stops at the first entry above the round and loses no one.
        SCOPED_TRACE("ranking out of order");
        Ranking r;
        r.set({{{0, ""}, {5, "AAA"}, {9, "BBB"}, {3, "CCC"}, {0, ""}}});
        r.win("CCC", 6);
        r.expect({{{0, ""}, {5, "AAA"}, {9, "BBB"}, {6, "CCC"}, {0, ""}}});
        r.expectMarked(3);
    }
}

TEST(SetChampion, TheChampionLeavesTheRanking)
{
    {
        SCOPED_TRACE("from entry 2");
        Ranking r;
        r.set({{{10, "OLD"}, {9, "AAA"}, {8, "ABC"}, {7, "CCC"}, {6, "DDD"}}});
        r.board.setLine(4, QStringLiteral(" 6- DDD"));
        r.board.setLineBackground(2, kBlue);
        r.match.playerName = QStringLiteral("ABC");
        r.data.SET_CHAMPION();
        r.expect({{{10, "ABC"}, {9, "AAA"}, {7, "CCC"}, {6, "DDD"}, {0, ""}}});
        EXPECT_EQ(r.board.line(0), QStringLiteral(" P\uFF1A ABC"));
        EXPECT_EQ(r.board.line(1), QStringLiteral(" 9- AAA"));
        EXPECT_EQ(r.board.line(2), QStringLiteral(" 7- CCC"));
        EXPECT_EQ(r.board.line(3), QStringLiteral(" 6- DDD"));
        EXPECT_EQ(r.board.line(4), QString());
        EXPECT_EQ(r.board.line(5), QStringLiteral(" N\uFF1A "));
        r.expectMarked(0);
        EXPECT_TRUE(r.platform.messages.isEmpty());
    }
    {
        SCOPED_TRACE("not ranked: only entry 0 changes, the board stays");
        Ranking r;
        r.set({{{0, ""}, {9, "AAA"}, {0, ""}, {0, ""}, {0, ""}}});
        r.match.playerName = QStringLiteral("aaa");
        r.data.SET_CHAMPION();
        r.expect({{{10, "aaa"}, {9, "AAA"}, {0, ""}, {0, ""}, {0, ""}}});
        EXPECT_EQ(r.board.changes, 0);
    }
}

TEST(SetRanking, AnEmptyNameIsReportedAndChangesNothing)
{
    Ranking r;
    r.set({{{10, "CH"}, {3, "ABC"}, {0, ""}, {0, ""}, {0, ""}}});
    r.win("", 4);
    r.data.SET_CHAMPION();
    EXPECT_EQ(r.platform.messages, (QStringList{"nameNOW=???", "nameNOW=???"}));
    r.expect({{{10, "CH"}, {3, "ABC"}, {0, ""}, {0, ""}, {0, ""}}});
    EXPECT_EQ(r.board.changes, 0);
}
