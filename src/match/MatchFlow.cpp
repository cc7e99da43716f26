// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "match/MatchFlow.h"

#include "data/RecordTable.h"
#include "data/modDATA.h"
#include "dialogs/Dialogs.h"
#include "look/Palette.h"
#include "look/Texts.h"
#include "match/CourtArt.h"
#include "match/GameWindowCommands.h"
#include "platform/Platform.h"
#include "rally/CourtPresenter.h"
#include "rally/clsBALL.h"
#include "rally/clsCOM.h"
#include "rally/clsRKT.h"
#include "sound/SoundModule.h"
#include "state/AppearanceState.h"
#include "state/MatchState.h"
#include "state/RallyState.h"

namespace moka {

namespace {

// A set is over once a bar has gone past its end.
constexpr std::int32_t kBarEnd = 249;

} // namespace

MatchFlow::MatchFlow(const Game &game, CourtPresenter &court, CourtPointer &pointer,
                     GameWindowCommands &window)
    : m_game(game)
    , m_court(court)
    , m_pointer(pointer)
    , m_window(window)
    , m_art(std::make_unique<CourtArt>(game.platform))
    , m_data(std::make_unique<modDATA>(game.platform, game.dataFile, game.records, game.match.playerName,
                                       game.rally.level, static_cast<RankingBoard &>(*this)))
    , m_loop(std::make_unique<RallyLoop>(game.platform, game.rally, game.sound, *this, m_art->picB, court,
                                         pointer))
{
}

MatchFlow::~MatchFlow() = default;

bool MatchFlow::ending() const { return m_game.platform.ending(); }

void MatchFlow::showLifeBars() { emit lifeBarsChanged(m_game.match.comBar, m_game.match.userBar); }

void MatchFlow::showCourt() { m_court.present(m_art->picB); }

void MatchFlow::RESET_BOARD()
{
    MatchState &match = m_game.match;
    match.comBar = -250;
    match.userBar = 250;
    showLifeBars();
    emit setCountsChanged(0, 0);
    emit roundChanged(QString(), QString());
    emit rankChanged(0);
    markLine(0);
    m_game.rally.level = 1;
    // Back to the rank C look.
    if (m_game.appearance.courtColor > 0)
        SET_COURT();
    if (m_game.appearance.racketColor > 1)
        SET_RAKET();
}

bool MatchFlow::pointAward()
{
    RallyState &rally = m_game.rally;
    MatchState &match = m_game.match;
    if (rally.outSide == 1) {
        // The player won the point: the computer's bar goes up, 10 pixels a
        // hit of the rally, 50 for a point won with a single hit.
        const std::int32_t hits = rally.rallyHits == 1 ? 5 : rally.rallyHits;
        match.comBar -= 10 * hits;
        showLifeBars();
        m_game.platform.processEvents();
        if (match.comBar < -kBarEnd) {
            ++match.userSets;
            emit setCountsChanged(match.comSets, match.userSets);
            return CHECK_RESULT();
        }
    } else if (rally.outSide == 2) {
        // The computer won it: the player's bar goes down, 50 pixels when
        // the player made no hit at all.
        const std::int32_t hits = rally.rallyHits == 0 ? 5 : rally.rallyHits;
        match.userBar += 10 * hits;
        showLifeBars();
        m_game.platform.processEvents();
        if (match.userBar > kBarEnd) {
            ++match.comSets;
            emit setCountsChanged(match.comSets, match.userSets);
            return CHECK_RESULT();
        }
    }
    return true;
}

void MatchFlow::announce(const QString &text, QColor dialogColour, QColor panelColour, int sound)
{
    if (ending())
        return;
    m_game.sound.PLAY(sound);
    m_game.dialogs.showInfo(text, dialogColour, panelColour);
    m_game.platform.processEvents();
}

void MatchFlow::announceShadowRule() { announce(tr("Ａランクは「ボールの影」が有効です"), kRed, kPink, 101); }

void MatchFlow::showRankOf(std::int32_t level) { emit rankChanged(RallyState::rankOf(level)); }

void MatchFlow::showRoundOf(std::int32_t level)
{
    emit roundChanged(tr("第 %1回戦").arg(RallyState::roundOf(level)), QString::number(level));
}

bool MatchFlow::CHECK_RESULT()
{
    RallyState &rally = m_game.rally;
    MatchState &match = m_game.match;
    m_game.platform.waitUntil(m_game.platform.now() + 600);
    if (ending())
        return false;
    m_loop->showBareCourt();

    if (match.userSets == 3 || match.comSets == 3) {
        const bool champion = match.userSets == 3 && rally.level == 9;
        if (champion)
            announce(tr("あなたは「チャンピョン」です！"), kRed, QColor(255, 255, 0), 106);
        else if (match.userSets == 3)
            announce(tr("あなたの勝ちです！"), {}, {}, 106);
        else
            announce(tr("コンピュータの勝ちです！"), {}, {}, 107);
        if (ending())
            return false;
        if (champion) {
            SET_CHAMP_PFM();
            return false;
        }
        if (match.comSets == 3)
            return false; // the ranking keeps the last round won
        // A round won below the title: into the ranking, then the next round.
        SET_RANKING();
        rally.level = RecordTable::nextRound(rally.level);
        if (rally.level == 4 || rally.level == 7)
            showRankOf(rally.level);
        match.setNumber = 1;
        match.userSets = 0;
        match.comSets = 0;
        emit setCountsChanged(0, 0);
        showRoundOf(rally.level);
    } else {
        ++match.setNumber;
    }
    match.comBar = 0;
    match.userBar = 0;
    showLifeBars();
    SET_INFO();
    return !ending();
}

void MatchFlow::SET_INFO()
{
    const RallyState &rally = m_game.rally;
    const AppearanceState &look = m_game.appearance;
    if (rally.level > 1)
        SET_RAKET();
    // The court changes only when a new rank begins.
    if (look.courtColor < RallyState::rankOf(rally.level))
        SET_COURT();
    m_game.platform.processEvents();

    static const char *const kRanks[] = {QT_TR_NOOP("Ｃランク"), QT_TR_NOOP("Ｂランク"),
                                         QT_TR_NOOP("Ａランク")};
    static const char *const kRounds[] = {QT_TR_NOOP("第１回戦"), QT_TR_NOOP("第２回戦"),
                                          QT_TR_NOOP("第３回戦")};
    static const QColor kFrames[] = {QColor(192, 192, 0), QColor(128, 128, 255), QColor(192, 0, 192)};
    QString prefix = tr("？？？");
    QColor frame(0, 0, 0);
    if (rally.level >= 1 && rally.level <= 9) {
        const int rank = RallyState::rankOf(rally.level);
        // "Ｃランク - 第１回戦 ： "
        prefix = tr("%1 - %2 ： ").arg(tr(kRanks[rank]), tr(kRounds[RallyState::roundOf(rally.level) - 1]));
        frame = kFrames[rank];
    }

    const std::int32_t set = m_game.match.setNumber;
    if (RallyState::shadowRule(rally.level) && set == 1)
        announceShadowRule();
    announce(prefix + tr("第 %1 セット").arg(set), frame, {}, 101);
    if (!ending())
        m_game.sound.PLAY_102();
}

bool MatchFlow::resumeAfterInterrupt() { return m_game.dialogs.showCut() == Dialogs::Interrupt::Resume; }

void MatchFlow::cmdSTOP_Click()
{
    m_game.rally.stopRequest = true;
    m_game.rally.loopBreak = true;
    m_game.platform.processEvents();
    m_window.focusCourt();
}

void MatchFlow::keyDown(int keyCode)
{
    if (keyCode == 27 && m_game.rally.ballInPlay)
        cmdSTOP_Click();
}

void MatchFlow::cmdEND_Click()
{
    Platform &platform = m_game.platform;
    m_game.rally.loopBreak = true;
    platform.processEvents();
    m_window.closeSplash();
    if (m_game.match.tournamentPlayed) {
        SAVE_DATA();
        platform.processEvents();
    }
    m_game.sound.PLAY_101();
    m_game.dialogs.showInfo(Texts::farewell(), QColor(255, 192, 128), QColor(255, 192, 128));
    platform.processEvents();
    if (!ending())
        m_window.closeWindow();
}

void MatchFlow::lblRNK_Click(int index)
{
    m_window.closeSplash();
    emit rankChanged(index);
    static constexpr std::int32_t kPracticeLevel[] = {2, 5, 8};
    m_game.rally.level = kPracticeLevel[index];
    SET_COURT();
}

void MatchFlow::cmdGAME_Click()
{
    RallyState &rally = m_game.rally;
    MatchState &match = m_game.match;
    // No second game may start while this one is being set up: the events
    // handled during the registration, the colour changes and the first
    // announcements would otherwise run a practice (or another tournament)
    // inside this start, at this game's level, and leave this game at level
    // 0. The stop button waits for the frame loop.
    emit buttonsChanged(Buttons::SettingUp);
    m_window.closeSplash();
    RESET_BOARD();
    m_game.sound.PLAY_101();
    match.playerName.clear();
    const Dialogs::Registration registration = m_game.dialogs.showName(m_game.records);
    match.playerName = registration.playerName;
    if (!registration.previewName.isEmpty())
        match.previewName = registration.previewName;
    if (match.playerName.isEmpty() || ending()) {
        emit buttonsChanged(Buttons::Idle);
        return;
    }
    CHECK_NAME();
    if (rally.level == 0 || ending()) {
        emit buttonsChanged(Buttons::Idle);
        return;
    }
    match.tournamentPlayed = true;
    if (playGame(true))
        setLine(5, modDATA::newcomerLine());
}

void MatchFlow::cmdREN_Click()
{
    m_window.closeSplash();
    m_game.sound.PLAY_101();
    playGame(false);
}

bool MatchFlow::playGame(bool tournament)
{
    Platform &platform = m_game.platform;
    RallyState &rally = m_game.rally;
    emit buttonsChanged(Buttons::Playing);
    m_window.focusCourt();
    // The first serve of every game belongs to the computer; in practice
    // there is no opponent and the ball comes back from both ends.
    rally.ballInPlay = false;
    rally.comServeWait = true;
    rally.comActive = tournament;
    CourtArt &art = *m_art;
    auto ball = std::make_unique<clsBALL>(rally, m_game.sound, platform, art.picB, art.picBALL);
    ball->setX(RallyState::serveX); // held on the serve spot until the click
    ball->setY(RallyState::comServeBallY);
    auto racket = std::make_unique<clsRKT>(rally, *ball, m_game.sound, art.picB, art.picROLL, m_pointer);
    std::unique_ptr<clsCOM> com;
    if (tournament)
        com = std::make_unique<clsCOM>(rally, m_game.appearance, *ball, m_game.sound, art.picB, art.picCOM,
                                       art.picCOMsh);
    else
        racket->ReINIT();
    // On court at once: a click handled from here on (even one queued while
    // the hint below is up) serves this ball.
    m_loop->setCast({ball.get(), racket.get(), com.get()});
    platform.processEvents();

    if (!tournament && RallyState::shadowRule(rally.level))
        announceShadowRule();

    if (!ending() && m_loop->MAIN_LOOP() == RallyLoop::GameEnd::Over)
        tearDown();
    m_loop->setCast({});
    com.reset();
    racket.reset();
    ball.reset();
    if (ending())
        return false;
    platform.processEvents();
    emit buttonsChanged(Buttons::Idle);
    return true;
}

void MatchFlow::tearDown()
{
    MatchState &match = m_game.match;
    RESET_BOARD();
    match.comSets = 0;
    match.userSets = 0;
    m_game.rally.level = 0;
    match.setNumber = 0;
    match.playerName.clear();
}

void MatchFlow::CHECK_NAME()
{
    RallyState &rally = m_game.rally;
    MatchState &match = m_game.match;
    const RecordTable &records = m_game.records;
    int entry = -1; // the first entry of that exact name
    for (int i = 0; i <= 4 && entry < 0; ++i)
        if (records.rankName[static_cast<size_t>(i)] == match.playerName)
            entry = i;

    if (entry == 0) { // the reigning champion may not play
        rally.level = 0;
        announce(tr("チャンピョンはゲーム が出来ません"), kRed, {}, 107);
        return;
    }
    int row = 5;
    if (entry < 0) {
        rally.level = 1;
        setLine(5, modDATA::newcomerLine() + match.playerName);
    } else {
        rally.level = RecordTable::nextRound(records.rankStage[static_cast<size_t>(entry)]);
        row = entry;
    }
    markLine(row);
    m_game.platform.processEvents();
    match.comBar = 0;
    match.userBar = 0;
    showLifeBars();
    showRankOf(rally.level);
    match.setNumber = 1;
    showRoundOf(rally.level);
    SET_INFO();
}

void MatchFlow::lblCOM_MouseDown(int button, int shift)
{
    const RallyState &rally = m_game.rally;
    if ((shift & 1) && button == 2 && !rally.ballInPlay && !rally.comServeWait && !rally.comActive)
        m_game.match.champPreview = true;
}

void MatchFlow::lblUSER_MouseDown(int button, int shift)
{
    MatchState &match = m_game.match;
    if (!(shift & 1) || button != 2 || !match.champPreview)
        return;
    if (!match.previewName.isEmpty()) {
        SET_CHAMP_PFM();
        match.champPreview = false;
    } else {
        m_game.platform.messageBox(tr("　　チャンピョンネームがありません！　　　　"));
    }
}

void MatchFlow::SET_CHAMP_PFM()
{
    m_window.celebrate();
    m_game.platform.processEvents();
    if (ending())
        return;
    if (!m_game.match.champPreview)
        SET_CHAMPION();
    cmdEND_Click();
}

void MatchFlow::SET_RAKET()
{
    AppearanceState &look = m_game.appearance;
    look.racketColor = m_game.rally.level > 1 ? m_game.rally.level : 1;
    m_art->paintRacket(look.racketColor);
}

void MatchFlow::SET_COURT()
{
    AppearanceState &look = m_game.appearance;
    const std::int32_t level = m_game.rally.level;
    look.courtColor = RallyState::rankOf(level);
    m_art->paintCourt(look.courtColor);
    // The new court shows at once and survives repaints.
    showCourt();
}

void MatchFlow::LOAD_DATA(const QString &appPath)
{
    m_data->setFolder(appPath);
    m_data->LOAD_DATA();
}

void MatchFlow::SAVE_DATA() { m_data->SAVE_DATA(); }

void MatchFlow::SET_RANKING() { m_data->SET_RANKING(); }

void MatchFlow::SET_CHAMPION() { m_data->SET_CHAMPION(); }

} // namespace moka
