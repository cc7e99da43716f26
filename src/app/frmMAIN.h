// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktop/WindowSizeToggle.h"
#include "look/ImageFrame.h"
#include "match/GameWindowCommands.h"
#include "match/MatchFlow.h"

#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QPushButton;

namespace moka {

class Application;
class CourtView;
class PictureBox;
class RallyLoop;

// The main window: the court on the left, the scoreboard, buttons and the
// ranking board on the right. Client area 409 × 514. The match itself is
// played by MatchFlow; the window shows what it announces and passes the
// player's input on: the mouse over the court to the rally, the rest to the
// match.
class frmMAIN : public QWidget, public GameWindowCommands
{
    Q_OBJECT
public:
    explicit frmMAIN(Application &app);
    ~frmMAIN() override;

    // Handlers.
    void Form_Load();
    void Form_Activate();
    void Form_KeyDown(int keyCode, int shift);
    void Form_QueryUnload();
    void cmdSIZE_Click();
    void cmdSTOP_Click() { m_flow->cmdSTOP_Click(); }
    void cmdEND_Click() { m_flow->cmdEND_Click(); }
    void picBOX_Click() {}
    void picP_MouseDown(int button, int shift, double x, double y);
    void picP_MouseMove(int button, int shift, double x, double y);
    void lblRNK_Click(int index) { m_flow->lblRNK_Click(index); }
    void cmdREN_Click() { m_flow->cmdREN_Click(); }
    void cmdGAME_Click() { m_flow->cmdGAME_Click(); }
    void lblCOM_MouseDown(int button, int shift) { m_flow->lblCOM_MouseDown(button, shift); }
    void lblUSER_MouseDown(int button, int shift) { m_flow->lblUSER_MouseDown(button, shift); }

    // The match played in this window, its frame loop and the court shown.
    MatchFlow &flow() { return *m_flow; }
    RallyLoop &loop();
    void MAIN_LOOP();
    CourtView &courtView() { return *m_court; }

    // What the match asks of the window.
    void celebrate() override;
    void closeSplash() override;
    void focusCourt() override;
    void closeWindow() override { close(); }

    bool maximized() const { return m_size->large(); }
    bool activated() const { return m_activated; }

    // Controls, named as in the layout.
    QWidget *picBOX = nullptr;
    PictureBox *picP = nullptr;
    ImageFrame *barCOM = nullptr;
    ImageFrame::Image *imgCOM = nullptr;
    ImageFrame *Picture1 = nullptr;
    ImageFrame::Image *imgUSER = nullptr;
    QPushButton *cmdEND = nullptr;
    QWidget *Line1 = nullptr;
    QPushButton *cmdGAME = nullptr;
    QPushButton *cmdSTOP = nullptr;
    QPushButton *cmdSIZE = nullptr;
    QPushButton *cmdREN = nullptr;
    QLabel *lblCOMg = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *lblCOM = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *lblSET = nullptr;
    QLabel *lblUSER = nullptr;
    QLabel *Label4 = nullptr;
    std::array<QLabel *, 3> lblRNK{};
    QLabel *Label1 = nullptr;
    std::array<QLabel *, 6> lblRNKING{};

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    // The match's announcements, shown on the controls.
    void showMatch();
    // Closes the splash if it is up; false when there was none.
    bool unloadSplash();

    Application &m_app;
    std::unique_ptr<CourtView> m_court;
    std::unique_ptr<MatchFlow> m_flow;
    WindowSizeToggle *m_size = nullptr; // "大"/"小"
    bool m_activated = false;
};

} // namespace moka
