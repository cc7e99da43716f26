// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CelebrationRig.h"

#include "app/frmMAIN.h"
#include "data/RecordFile.h"
#include "dialogs/frmCUT.h"
#include "dialogs/frmINFO.h"
#include "dialogs/frmNAME.h"
#include "look/Fonts.h"
#include "look/Texts.h"
#include "platform/Language.h"

#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace moka;
using namespace celebration_rig;

namespace {

// English for the length of a test, Japanese again afterwards.
struct English
{
    English() { ok = Language::use(QStringLiteral("en")); }
    ~English() { Language::use(QStringLiteral("ja")); }
    bool ok = false;
};

// The game's fonts as the game itself sets them up, for the length of a test.
struct GameFonts
{
    GameFonts() { Fonts::install(); }
    ~GameFonts() { QApplication::setFont(before); }
    const QFont before = QApplication::font();
};

// Kana, CJK ideographs and punctuation, full-width forms.
bool hasJapanese(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30ff) || (u >= 0x4e00 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef))
            return true;
    }
    return false;
}

// `text` shown in `control`: English, and no wider than the control at its font.
void expectEnglishFitting(const QWidget *control, const QString &text, const std::string &where)
{
    EXPECT_FALSE(hasJapanese(text)) << where << ": " << text.toStdString();
    EXPECT_LE(QFontMetrics(control->font()).horizontalAdvance(text), control->width())
        << where << ": \"" << text.toStdString() << "\" is wider than its " << control->width() << " pixels";
}

// Every label and button of `window` as it stands.
void expectWindowEnglish(const QWidget *window, const std::string &where)
{
    EXPECT_FALSE(hasJapanese(window->windowTitle())) << where << " title";
    for (const QLabel *label : window->findChildren<QLabel *>())
        expectEnglishFitting(label, label->text(), where + " " + label->objectName().toStdString());
    for (const QPushButton *button : window->findChildren<QPushButton *>())
        expectEnglishFitting(button, button->text(), where + " button");
}

// The champion's celebration, played whole; returns the last frame of the
// confetti phase, words and trophy in it. Then the game's own way there.
QImage celebrate(TestGame &game)
{
    game.app->match.playerName = QStringLiteral("ABC");
    Recorder rec(*game.app);
    rec.seed = 20261207;
    CelebrationSequence w(rec);
    rec.sequence = &w;
    QImage kept;
    rec.onFrame = [&](CelebrationSequence &f) {
        if (f.phase() == 6 && f.frame() == 38)
            kept = rec.shown.copy();
    };
    w.open(QRect(QPoint(), game.platform.screen));
    w.run();

    // Then the point that wins round 9, through the champion's announcement,
    // the celebration and the farewell to the end of the program.
    frmMAIN *m = game.app->mainWindow();
    game.app->match.tournamentPlayed = true;
    game.app->match.userSets = 2;
    game.app->rally.level = 9;
    game.app->match.comBar = -240;
    game.app->rally.outSide = 1;
    game.app->rally.rallyHits = 5;
    m->flow().pointAward();
    return kept;
}

} // namespace

// Japanese is the default whatever the system's language, and comes back
// exactly as written once English is put away again.
TEST(Language, JapaneseAsWrittenUnlessEnglishIsAsked)
{
    EXPECT_EQ(Language::available(), (QStringList{QStringLiteral("ja"), QStringLiteral("en")}));
    EXPECT_FALSE(Language::use(QStringLiteral("xx")));
    const QLocale system;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(English().ok);

    TestGame game;
    game.start();
    frmMAIN *m = game.app->mainWindow();
    EXPECT_EQ(m->windowTitle(), QStringLiteral("モカランズ！ mokaRUNs"));
    EXPECT_EQ(m->cmdSTOP->text(), QStringLiteral("停止"));
    EXPECT_EQ(m->lblRNK[2]->text(), QStringLiteral("Ａランク"));
    EXPECT_EQ(m->lblRNKING[0]->text(), QStringLiteral(" P\uFF1A "));
    frmCUT cut(m);
    EXPECT_EQ(cut.Command2->text(), QStringLiteral("プレイデータ を 破棄 する"));
    frmNAME name(game.platform, game.app->records, m);
    EXPECT_EQ(name.windowTitle(), QStringLiteral("  プレイヤー登録"));
    EXPECT_EQ(frmNAME::tooLongMessage(),
              QStringLiteral("名前入力は、５文字以内です！\u3000\u3000\u3000\u3000"));
    EXPECT_EQ(
        Texts::alreadyRunning(),
        QStringLiteral(
            "\u3000\u3000既に「 モカランズ\u3000mokaRUNs 」は起動しています！\u3000\u3000\u3000\u3000"));

    game.app->rally.level = 8;
    game.app->match.setNumber = 2;
    m->flow().SET_INFO();
    ASSERT_EQ(game.dialogs->infos.size(), 1u);
    EXPECT_EQ(game.dialogs->infos[0].text, QStringLiteral("Ａランク - 第２回戦 ： 第 2 セット"));
    QLocale::setDefault(system);
}

// With English every text of the main window, the dialogs and the messages
// is English and fits its label or button at the layout's fonts; the
// celebration is the same picture as in Japanese.
TEST(Language, EnglishEverywhereAndEveryTextFits)
{
    const GameFonts fonts;
    QImage celebrationJapanese;
    {
        TestGame japanese;
        japanese.start();
        celebrationJapanese = celebrate(japanese);
    }
    ASSERT_FALSE(celebrationJapanese.isNull());

    English english;
    ASSERT_TRUE(english.ok);
    TestGame game;
    { // a damaged ranking file: its trouble is reported at start, in English
        QFile damaged(game.platform.folder + QStringLiteral("mokaru.dat"));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("x,\"A\"\r\n");
    }
    game.start();
    frmMAIN *m = game.app->mainWindow();
    EXPECT_EQ(m->cmdEND->text(), QStringLiteral("Quit"));
    EXPECT_EQ(m->lblRNK[0]->text(), QStringLiteral("Rank C"));
    expectWindowEnglish(m, "main window");
    m->cmdSIZE->click();
    expectEnglishFitting(m->cmdSIZE, m->cmdSIZE->text(), "size button, maximized");
    m->cmdSIZE->click();

    MatchState &match = game.app->match;
    RallyState &rally = game.app->rally;
    {
        frmNAME name(game.platform, game.app->records, m);
        expectWindowEnglish(&name, "registration");
        frmINFO info(m);
        expectWindowEnglish(&info, "announcement");
        frmCUT cut(m);
        expectWindowEnglish(&cut, "interrupt");
    }

    // A newcomer's game: each round's label and set announcement, a won and
    // a lost match, every rank's announcements, the champion turned away.
    match.playerName = QStringLiteral("ABC");
    m->flow().CHECK_NAME();
    expectWindowEnglish(m, "main window in round 1");
    for (const int round : {2, 3}) {
        match.userSets = 3;
        m->flow().CHECK_RESULT();
        expectEnglishFitting(m->lblSET, m->lblSET->text(), "round " + std::to_string(round));
    }
    match.comSets = 3;
    m->flow().CHECK_RESULT();
    for (int level = 1; level <= 9; ++level) {
        for (const int set : {1, 5}) {
            rally.level = level;
            match.setNumber = set;
            m->flow().SET_INFO();
        }
    }
    game.app->records.rankName[0] = QStringLiteral("ABC");
    m->flow().CHECK_NAME();
    m->lblCOM_MouseDown(2, 1);
    m->lblUSER_MouseDown(2, 1); // no preview name: a message
    // Every trouble's heading and the detail lines under it: what is wrong
    // in the ranking file, with the file, with a sound effect, the trophy.
    QStringList troubles{Texts::alreadyRunning(),
                         Texts::soundTrouble(),
                         Texts::displayRefused(),
                         frmNAME::tooLongMessage(),
                         Texts::dataUnreadable(),
                         Texts::dataDamaged(),
                         Texts::dataUnsaved(),
                         Texts::noAudioOutput(),
                         Texts::unexpectedError(),
                         Texts::trophyUnreadable(),
                         Texts::trophyDamaged(),
                         Texts::trophyResource(),
                         Texts::effectMissing(QStringLiteral("se101.wav")),
                         Texts::effectDamaged(QStringLiteral("se101.wav"), QStringLiteral("no samples"))};
    for (const char *record : {"x,\"A\"", "1 \"A\"", "2147483648,\"A\"", "1,\"A", "1,\"A\" x", "1,A\"",
                               "1,\"ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJ\""}) {
        RecordTable table;
        troubles << Texts::rankingFileDetail(
            RecordFile::parse(QByteArray("0,\"\"\r\n") + record, table).failure);
    }
    for (int problem = int(DataFile::Problem::FolderInTheWay); problem <= int(DataFile::Problem::NoSpace);
         ++problem)
        troubles << Texts::fileFailure({DataFile::Problem(problem)});
    for (const QString &message : troubles + game.platform.messages)
        EXPECT_FALSE(hasJapanese(message)) << message.toStdString();
    // The ranking file's troubles are no "Trouble:" where the Japanese says none.
    for (const QString &heading : {Texts::dataUnreadable(), Texts::dataDamaged(), Texts::dataUnsaved()})
        EXPECT_FALSE(heading.startsWith(QStringLiteral("Trouble"))) << heading.toStdString();
    // The damaged file at start, and the preview without a name.
    EXPECT_EQ(game.platform.messages.size(), 2);

    // The champion's title, the celebration and the farewell.
    match.champPreview = false;
    const QImage celebrationEnglish = celebrate(game);
    EXPECT_TRUE(celebrationEnglish == celebrationJapanese) << "the celebration keeps its own words";
    EXPECT_TRUE(game.platform.ending());

    frmINFO info(m);
    QStringList seen;
    for (const RecordingDialogs::Info &shown : game.dialogs->infos) {
        expectEnglishFitting(info.lblGAME, shown.text, "announcement");
        seen << shown.text;
    }
    for (const char *expected :
         {"You win!", "The computer wins!", "Rank C - Round 1 : Set 1", "Rank A - Round 3 : Set 5",
          "Rank A: the ball's shadow matters", "The champion cannot play", "You are the champion!",
          "Thanks for playing..."})
        EXPECT_TRUE(seen.contains(QString::fromUtf8(expected)))
            << expected << " in " << seen.join('|').toStdString();
}
