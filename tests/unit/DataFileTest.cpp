// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "MemoryBoard.h"
#include "VirtualPlatform.h"

#include "data/RecordFile.h"
#include "data/RecordTable.h"
#include "data/modDATA.h"
#include "look/Texts.h"
#include "platform/DataFile.h"
#include "state/MatchState.h"
#include "state/RallyState.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace moka;

namespace {

const QByteArray kFresh = "0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n";
const QByteArray kFull = "10,\"CHAMP\"\r\n9,\"ABC\"\r\n7,\"DE\"\r\n7,\"FGH\"\r\n2,\"IJKLM\"\r\n";

// A byte string literal that may hold NUL bytes.
template <std::size_t N> QByteArray bytesOf(const char (&text)[N]) { return QByteArray(text, N - 1); }

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

RecordTable tableOf(std::array<std::int32_t, 5> stages, std::array<QString, 5> names)
{
    RecordTable table;
    table.rankStage = stages;
    table.rankName = names;
    return table;
}

void expectTable(const RecordTable &actual, const RecordTable &expected)
{
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(actual.rankStage[i], expected.rankStage[i]) << "entry " << i;
        EXPECT_EQ(actual.rankName[i], expected.rankName[i]) << "entry " << i;
    }
}

// Only the files a test put there; no temporary file of a save left behind.
QStringList filesIn(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The real data file, with a save that can be made to fail after writing
// part of the new file, or at the moment of swapping it in.
class FailingDataFile : public DataFile
{
public:
    qint64 failAfterBytes = -1;
    bool failCommit = false;
    std::function<void()> midWrite; // runs after the partial write, as a crash would see it

protected:
    qint64 writeBytes(QSaveFile &file, const QByteArray &bytes) override
    {
        if (failAfterBytes < 0)
            return DataFile::writeBytes(file, bytes);
        file.write(bytes.left(failAfterBytes));
        file.flush();
        if (midWrite)
            midWrite();
        return -1;
    }
    bool commit(QSaveFile &file) override { return failCommit ? false : DataFile::commit(file); }
};

// modDATA over a temporary program folder.
struct Data
{
    Data() { data.setFolder(dir.path() + QLatin1Char('/')); }
    QString path() const { return dir.path() + QStringLiteral("/mokaru.dat"); }

    QTemporaryDir dir;
    VirtualPlatform platform;
    FailingDataFile file;
    RecordTable table;
    MatchState match;
    RallyState rally;
    MemoryBoard board;
    modDATA data{platform, file, table, match.playerName, rally.level, board};
};

bool permissionsApply(const QString &unreadable)
{
    QFile probe(unreadable);
    return !probe.open(QIODevice::ReadOnly);
}

// Root (as CI runs) reads and writes whatever the permissions say. While this
// lives, the calling thread lacks the two capabilities that let it, so the
// file permissions bind root as they bind anyone.
class FilePermissionsBindRoot
{
public:
    FilePermissionsBindRoot()
    {
        if (geteuid() != 0 || syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_lowered = syscall(SYS_capset, &m_header, lowered) == 0;
    }
    ~FilePermissionsBindRoot()
    {
        if (m_lowered)
            syscall(SYS_capset, &m_header, m_saved);
    }
    FilePermissionsBindRoot(const FilePermissionsBindRoot &) = delete;
    FilePermissionsBindRoot &operator=(const FilePermissionsBindRoot &) = delete;

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_lowered = false;
};

} // namespace

TEST(DataFile, ReadsSavesAndNamesTheCauseOfAFailure)
{
    QTemporaryDir dir;
    DataFile file;
    const QString path = dir.filePath(QStringLiteral("a.dat"));
    QByteArray bytes = "x";
    DataFile::Failure error;

    EXPECT_FALSE(file.exists(path));
    EXPECT_FALSE(file.read(path, bytes, error));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_EQ(error.problem, DataFile::Problem::Missing);
    EXPECT_EQ(Texts::fileFailure(error), QStringLiteral("ファイルがありません"));

    ASSERT_TRUE(file.save(path, "first", error));
    ASSERT_TRUE(file.save(path, "second", error));
    EXPECT_TRUE(file.exists(path));
    ASSERT_TRUE(file.read(path, bytes, error));
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(filesIn(dir), QStringList{"a.dat"});

    // A folder where the file should be: neither read nor replaced.
    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_TRUE(file.exists(folder));
    // Reading and saving give the same cause in the same words.
    error = {};
    EXPECT_FALSE(file.read(folder, bytes, error));
    EXPECT_EQ(Texts::fileFailure(error), QStringLiteral("同じ名前のフォルダがあります"));
    error = {};
    EXPECT_FALSE(file.save(folder, "x", error));
    EXPECT_EQ(Texts::fileFailure(error), QStringLiteral("同じ名前のフォルダがあります"));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    // A folder that does not exist.
    error = {};
    EXPECT_FALSE(file.save(dir.filePath(QStringLiteral("none/a.dat")), "x", error));
    EXPECT_EQ(error.problem, DataFile::Problem::NoFolder);
    EXPECT_EQ(Texts::fileFailure(error), QStringLiteral("フォルダがありません"));

    // A large file is read only up to the limit.
    put(path, QByteArray(DataFile::maxReadBytes + 1000, 'z'));
    ASSERT_TRUE(file.read(path, bytes, error));
    EXPECT_EQ(bytes.size(), DataFile::maxReadBytes);
}

TEST(DataFile, AFailedSaveLeavesTheOldFileByteIdentical)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mokaru.dat"));
    put(path, kFull);
    FailingDataFile file;
    DataFile::Failure error;

    // A disk that fills up half-way: at that moment (when a crash could come)
    // and afterwards, the file holds the old bytes.
    file.failAfterBytes = 7;
    bool checked = false;
    file.midWrite = [&] {
        EXPECT_EQ(contents(path), kFull);
        checked = true;
    };
    EXPECT_FALSE(file.save(path, kFresh, error));
    EXPECT_TRUE(checked);
    EXPECT_EQ(error.problem, DataFile::Problem::WriteFailed);
    EXPECT_EQ(contents(path), kFull);
    EXPECT_EQ(filesIn(dir), QStringList{"mokaru.dat"});

    // The whole new file written, but the swap fails.
    file.failAfterBytes = -1;
    file.failCommit = true;
    error = {};
    EXPECT_FALSE(file.save(path, kFresh, error));
    EXPECT_EQ(error.problem, DataFile::Problem::WriteFailed);
    EXPECT_EQ(contents(path), kFull);
    EXPECT_EQ(filesIn(dir), QStringList{"mokaru.dat"});
}

TEST(DataFile, UnreadableFileAndReadOnlyFolderFailCleanly)
{
    Data d;
    put(d.path(), kFull);
    const FilePermissionsBindRoot bind;
    QFile::setPermissions(d.path(), QFileDevice::Permissions{});
    if (!permissionsApply(d.path())) {
        QFile::setPermissions(d.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (qEnvironmentVariable("CI") == QStringLiteral("true"))
            FAIL() << "file permissions do not bind this user, so nothing here is checked";
        GTEST_SKIP() << "file permissions do not bind this user";
    }
    // One message at start, in the game's words only (the file's name
    // aside), not the system's English.
    d.data.LOAD_DATA();
    ASSERT_EQ(d.platform.messages.size(), 1);
    EXPECT_EQ(d.platform.messages[0],
              Texts::dataUnreadable() + QStringLiteral("\nmokaru.dat：読み込みが許されていません"));
    expectTable(d.table, RecordTable{});
    EXPECT_EQ(d.board.line(5), QStringLiteral(" N\uFF1A "));
    QFile::setPermissions(d.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(contents(d.path()), kFull);

    // A read-only file in a folder the player can write: found at start,
    // reported once, and neither the file nor the folder is touched.
    const auto unsaved = [](const QString &cause) {
        return Texts::dataUnsaved() + QStringLiteral("\nmokaru.dat：") + cause;
    };
    QFile::setPermissions(d.path(), QFileDevice::ReadOwner);
    d.data.LOAD_DATA();
    ASSERT_EQ(d.platform.messages.size(), 2);
    EXPECT_EQ(d.platform.messages[1], unsaved(QStringLiteral("ファイルが書き込み禁止になっています")));
    expectTable(d.table, tableOf({10, 9, 7, 7, 2}, {"CHAMP", "ABC", "DE", "FGH", "IJKLM"}));
    // 終了 still tries, and says the same.
    d.data.SAVE_DATA();
    ASSERT_EQ(d.platform.messages.size(), 3);
    EXPECT_EQ(d.platform.messages[2], d.platform.messages[1]);
    EXPECT_EQ(contents(d.path()), kFull);
    EXPECT_EQ(filesIn(d.dir), QStringList{"mokaru.dat"});
    QFile::setPermissions(d.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    // A folder that cannot be written: found at start, and nothing is
    // created or replaced.
    QFile::setPermissions(d.dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    d.data.LOAD_DATA();
    ASSERT_EQ(d.platform.messages.size(), 4);
    EXPECT_EQ(d.platform.messages[3], unsaved(QStringLiteral("フォルダに書き込む許可がありません")));
    d.table = tableOf({10, 1, 0, 0, 0}, {"NEW", "X", "", "", ""});
    d.data.SAVE_DATA();
    d.data.NEW_DATA();
    EXPECT_EQ(d.platform.messages.size(), 6);
    EXPECT_EQ(d.platform.messages[5], d.platform.messages[3]);

    // A data folder that cannot be made in a home the player cannot write:
    // the home's reason, not a missing folder.
    Data home;
    home.data.setFolder(d.dir.path() + QStringLiteral("/.local/share/mokaruns/"));
    home.data.LOAD_DATA();
    ASSERT_EQ(home.platform.messages.size(), 1);
    EXPECT_EQ(home.platform.messages[0], unsaved(QStringLiteral("フォルダに書き込む許可がありません")));
    QFile::setPermissions(d.dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(contents(d.path()), kFull);
    EXPECT_EQ(filesIn(d.dir), QStringList{"mokaru.dat"});
}

TEST(LoadData, StartingWithoutAFileCreatesAFreshOne)
{
    Data d;
    d.data.LOAD_DATA();
    EXPECT_EQ(contents(d.path()), kFresh);
    expectTable(d.table, RecordTable{});
    EXPECT_TRUE(d.platform.messages.isEmpty());
    EXPECT_EQ(d.board.line(0), QStringLiteral(" P\uFF1A "));
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(d.board.line(i), QString()) << i;
    EXPECT_EQ(d.board.line(5), QStringLiteral(" N\uFF1A "));
}

TEST(LoadData, FileRoundTripsByteForByte)
{
    Data d;
    put(d.path(), kFull);
    d.data.LOAD_DATA();
    EXPECT_TRUE(d.platform.messages.isEmpty());
    expectTable(d.table, tableOf({10, 9, 7, 7, 2}, {"CHAMP", "ABC", "DE", "FGH", "IJKLM"}));
    EXPECT_EQ(d.board.line(0), QStringLiteral(" P\uFF1A CHAMP"));
    EXPECT_EQ(d.board.line(1), QStringLiteral(" 9- ABC"));
    EXPECT_EQ(d.board.line(4), QStringLiteral(" 2- IJKLM"));

    QFile::remove(d.path());
    d.data.SAVE_DATA();
    EXPECT_EQ(contents(d.path()), kFull);
    EXPECT_TRUE(d.platform.messages.isEmpty());

    // Names are kept character for character, a byte order mark or an
    // invalid byte (read as U+FFFD) included.
    const QByteArray odd = "1,\"\xEF\xBB\xBFX\"\r\n2,\"\xFFY\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n";
    put(d.path(), odd);
    d.data.LOAD_DATA();
    EXPECT_EQ(d.table.rankName[0], QStringLiteral("\uFEFFX"));
    EXPECT_EQ(d.table.rankName[1], QStringLiteral("\uFFFDY"));
    d.data.SAVE_DATA();
    RecordTable back;
    RecordFile::parse(contents(d.path()), back);
    EXPECT_EQ(back.rankName, d.table.rankName);

    // NEW_DATA empties table and file alike.
    d.data.NEW_DATA();
    EXPECT_EQ(contents(d.path()), kFresh);
    expectTable(d.table, RecordTable{});
}

TEST(LoadData, ThreeRecordsFillEntriesZeroToTwoAndReportOnceAfterTheBoard)
{
    Data d;
    put(d.path(), "10,\"CHAMP\"\r\n5,\"ABC\"\r\n4,\"DEF\"\r\n");
    QString lineAtReport;
    d.platform.onMessage = [&](const QString &) { lineAtReport = d.board.line(2); };
    d.data.LOAD_DATA();
    expectTable(d.table, tableOf({10, 5, 4, 0, 0}, {"CHAMP", "ABC", "DEF", "", ""}));
    ASSERT_EQ(d.platform.messages.size(), 1);
    EXPECT_TRUE(d.platform.messages[0].contains(QStringLiteral("記録が 3 件しかありません")));
    EXPECT_EQ(lineAtReport, QStringLiteral(" 4- DEF"));
}

TEST(LoadData, StageZeroEntriesAreKeptButNotShown)
{
    Data d;
    put(d.path(), "0,\"\"\r\n6,\"ABC\"\r\n0,\"GHOST\"\r\n0,\"\"\r\n0,\"X\"\r\n");
    d.data.LOAD_DATA();
    EXPECT_EQ(d.table.rankName[2], QStringLiteral("GHOST"));
    EXPECT_EQ(d.table.rankName[4], QStringLiteral("X"));
    EXPECT_EQ(d.board.line(1), QStringLiteral(" 6- ABC"));
    EXPECT_EQ(d.board.line(2), QString());
    EXPECT_EQ(d.board.line(4), QString());
    d.data.SAVE_DATA();
    EXPECT_EQ(contents(d.path()), "0,\"\"\r\n6,\"ABC\"\r\n0,\"GHOST\"\r\n0,\"\"\r\n0,\"X\"\r\n");
}

TEST(SaveData, AFailedSaveKeepsOldFileAndTableAndReportsOnce)
{
    Data d;
    put(d.path(), kFull);
    d.data.LOAD_DATA();
    d.table.rankStage[1] = 9;
    d.table.rankName[1] = QStringLiteral("NEW");
    const RecordTable before = d.table;

    d.file.failAfterBytes = 12;
    d.data.SAVE_DATA();
    EXPECT_EQ(contents(d.path()), kFull);
    expectTable(d.table, before);
    ASSERT_EQ(d.platform.messages.size(), 1);
    // The player is told which file, not where the program lives.
    EXPECT_TRUE(d.platform.messages[0].contains(QStringLiteral("mokaru.dat")));
    EXPECT_FALSE(d.platform.messages[0].contains(d.dir.path()));

    // Nor does a fresh file replace it when the swap fails.
    d.file.failAfterBytes = -1;
    d.file.failCommit = true;
    d.data.NEW_DATA();
    EXPECT_EQ(contents(d.path()), kFull);
    EXPECT_EQ(d.platform.messages.size(), 2);
    EXPECT_EQ(filesIn(d.dir), QStringList{"mokaru.dat"});

    // Without a file and a working folder, the start still fills the board
    // and reports once.
    QFile::remove(d.path());
    MemoryBoard fresh;
    RecordTable table;
    modDATA start(d.platform, d.file, table, d.match.playerName, d.rally.level, fresh);
    start.setFolder(d.dir.path() + QLatin1Char('/'));
    start.LOAD_DATA();
    EXPECT_EQ(d.platform.messages.size(), 3);
    EXPECT_EQ(fresh.line(5), QStringLiteral(" N\uFF1A "));
    EXPECT_FALSE(QFile::exists(d.path()));
}

TEST(SaveData, NamesTheFileCannotHoldLoseOnlyTheOffendingCharacters)
{
    Data d;
    d.table = tableOf({10, 5, 4, 3, 2}, {"A\"B", "C\r\nD", "E,F", " G ", "H\nI\""});
    d.data.SAVE_DATA();
    EXPECT_EQ(contents(d.path()), "10,\"AB\"\r\n5,\"CD\"\r\n4,\"E,F\"\r\n3,\" G \"\r\n2,\"HI\"\r\n");
    EXPECT_EQ(d.table.rankName[0], QStringLiteral("A\"B")); // the table itself is left alone

    RecordTable back;
    EXPECT_EQ(RecordFile::parse(contents(d.path()), back).recordsRead, 5);
    expectTable(back, tableOf({10, 5, 4, 3, 2}, {"AB", "CD", "E,F", " G ", "HI"}));
}

TEST(LoadData, BadInputReadsWhatItCanFillsTheBoardAndReportsOnce)
{
    // Entries that cannot be read keep what they had; here that is (S, "old").
    const QString K = QStringLiteral("old");
    const std::int32_t S = 8;
    const QString longName = QString(40, QLatin1Char('N'));
    QByteArray garbage(3000, '\0');
    QRandomGenerator random(7);
    for (char &c : garbage)
        c = char(random.bounded(256));

    struct Case
    {
        const char *what;
        QByteArray bytes;
        RecordTable expected;
        bool reported;
    };
    const std::vector<Case> cases = {
        {"empty file", "", tableOf({S, S, S, S, S}, {K, K, K, K, K}), true},
        {"LF line ends", "10,\"C\"\n1,\"A\"\n2,\"B\"\n3,\"D\"\n4,\"E\"\n",
         tableOf({10, 1, 2, 3, 4}, {"C", "A", "B", "D", "E"}), false},
        {"byte order mark, no line end at the end",
         "\xEF\xBB\xBF"
         "0,\"\"\r\n1,\"A\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"",
         tableOf({0, 1, 0, 0, 0}, {"", "A", "", "", ""}), false},
        {"blanks around fields, unquoted names, blank lines",
         " 10 ,\t\"C\" \r\n\r\n  \r\n+7, AB \r\n6,\r\n5 , \"\"\r\n4,\"X Y\"\r\n",
         tableOf({10, 7, 6, 5, 4}, {"C", "AB", "", "", "X Y"}), false},
        {"records after the fifth are ignored", kFull + "3,\"MORE\"\r\nnonsense\r\n",
         tableOf({10, 9, 7, 7, 2}, {"CHAMP", "ABC", "DE", "FGH", "IJKLM"}), false},
        {"truncated inside a record", "10,\"CH\"\r\n8,\"AB", tableOf({10, S, S, S, S}, {"CH", K, K, K, K}),
         true},
        {"stage not a number", "0,\"\"\r\nx,\"B\"\r\n7 5,\"C\"\r\n,\"D\"\r\n-,\"E\"\r\n",
         tableOf({0, S, S, S, S}, {"", K, K, K, K}), true},
        // The champion's entry and a ranked one alike hold any 32-bit stage.
        {"stage at and beyond 32 bits",
         "-2147483648,\"B\"\r\n2147483647,\"A\"\r\n2147483648,\"C\"\r\n-2147483649,\"D\"\r\n"
         "99999999999999999999999,\"E\"\r\n",
         tableOf({-2147483648, 2147483647, S, S, S}, {"B", "A", K, K, K}), true},
        // Stages past the last round (an edited file) are played on.
        {"stages past the ladder", "11,\"C\"\r\n10,\"A\"\r\n-1,\"B\"\r\n2147483646,\"D\"\r\n9,\"E\"\r\n",
         tableOf({11, 10, -1, 2147483646, 9}, {"C", "A", "B", "D", "E"}), false},
        // A player who won round 2147483646 is saved at 2147483647 by the
        // game itself; that file reads like any other.
        {"the last stage a won round records",
         "0,\"\"\r\n2147483647,\"A\"\r\n2147483647,\"B\"\r\n0,\"\"\r\n+2147483647,\"C\"\r\n",
         tableOf({0, 2147483647, 2147483647, 0, 2147483647}, {"", "A", "B", "", "C"}), false},
        {"missing comma and missing quote", "10 \"C\"\r\n1,\"A\r\n2,B\"\r\n3,\"D\"\"\r\n4,\"E\" x\r\n",
         tableOf({S, S, S, S, S}, {K, K, K, K, K}), true},
        {"comma inside and outside quotes", "0,\"A,B\"\r\n1,A,B\r\n2,\"C\",\r\n3,\",\"\r\n4,\"\"\r\n",
         tableOf({0, S, S, 3, 4}, {"A,B", K, K, ",", ""}), true},
        {"a line break inside a name splits that record in two",
         "10,\"A\r\nB\"\r\n1,\"C\"\r\n2,\"D\"\r\n3,\"E\"\r\n",
         tableOf({S, S, 1, 2, 3}, {K, K, "C", "D", "E"}), true},
        {"over-long name is cut",
         "0,\"\"\r\n1,\"" + longName.toUtf8() + "\"\r\n0,\"\"\r\n0,\"\"\r\n0,\"\"\r\n",
         tableOf({0, 1, 0, 0, 0}, {"", longName.left(32), "", "", ""}), true},
        {"line longer than what is read",
         "5,\"" + QByteArray(100000, 'L') + "\"\r\n1,\"A\"\r\n2,\"B\"\r\n3,\"C\"\r\n4,\"D\"\r\n",
         tableOf({S, S, S, S, S}, {K, K, K, K, K}), true},
        {"NUL bytes only", QByteArray(100, '\0'), tableOf({S, S, S, S, S}, {K, K, K, K, K}), true},
        {"NUL and bad UTF-8 inside a name", bytesOf("1,\"A\0B\"\r\n2,\"\xFF\xC3\"\r\n"),
         tableOf({1, 2, S, S, S}, {QString::fromUtf8("A\0B", 3), "\uFFFD\uFFFD", K, K, K}), true},
    };

    auto check = [&](const char *what, const QByteArray &bytes, const RecordTable *expected, bool reported) {
        SCOPED_TRACE(what);
        Data d;
        put(d.path(), bytes);
        d.table = tableOf({S, S, S, S, S}, {K, K, K, K, K});
        bool boardFilled = false;
        d.platform.onMessage = [&](const QString &) {
            boardFilled = d.board.line(5) == QStringLiteral(" N\uFF1A ");
        };
        d.data.LOAD_DATA();
        if (expected)
            expectTable(d.table, *expected);
        EXPECT_EQ(d.platform.messages.size(), reported ? 1 : 0)
            << d.platform.messages.join('|').toStdString();
        EXPECT_EQ(d.board.line(5), QStringLiteral(" N\uFF1A "));
        EXPECT_EQ(boardFilled, reported);
        EXPECT_EQ(contents(d.path()), bytes); // loading never writes

        // Saving what was read gives a file that reads back cleanly.
        const RecordTable read = d.table;
        d.data.SAVE_DATA();
        d.table = RecordTable{};
        d.platform.messages.clear();
        d.data.LOAD_DATA();
        EXPECT_TRUE(d.platform.messages.isEmpty());
        expectTable(d.table, read);
    };
    for (const Case &c : cases)
        check(c.what, c.bytes, &c.expected, c.reported);
    check("binary garbage", garbage, nullptr, true);
}

TEST(LoadData, AFolderWhereTheFileShouldBeIsReportedAndKept)
{
    Data d;
    ASSERT_TRUE(QDir().mkdir(d.path()));
    d.data.LOAD_DATA();
    expectTable(d.table, RecordTable{});
    ASSERT_EQ(d.platform.messages.size(), 1);
    EXPECT_EQ(d.board.line(5), QStringLiteral(" N\uFF1A "));
    d.data.SAVE_DATA();
    ASSERT_EQ(d.platform.messages.size(), 2);
    EXPECT_TRUE(QFileInfo(d.path()).isDir());
    // One cause, one wording: only the first line (loading or saving) differs.
    EXPECT_EQ(d.platform.messages[0].section(QLatin1Char('\n'), 1),
              d.platform.messages[1].section(QLatin1Char('\n'), 1));
    EXPECT_NE(d.platform.messages[0].section(QLatin1Char('\n'), 0, 0),
              d.platform.messages[1].section(QLatin1Char('\n'), 0, 0));
}
