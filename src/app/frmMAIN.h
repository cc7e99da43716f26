#pragma once

#include "data/RankingBoard.h"
#include "platform/ImageFrame.h"
#include "platform/Picture.h"
#include "rally/CourtPointer.h"
#include "rally/RallyHooks.h"
#include "rally/RallyLoop.h"

#include <QCursor>
#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QPushButton;

namespace moka {

class Application;
class PictureBox;
class modDATA;

// The main window: the court on the left, the scoreboard, buttons and the
// ranking board on the right. Client area 409 × 514.
class frmMAIN : public QWidget, public RallyHooks, public CourtPointer, public RankingBoard
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
    void cmdSTOP_Click();
    void cmdEND_Click();
    void picBOX_Click() {}
    void picP_MouseDown(int button, int shift, double x, double y);
    void picP_MouseMove(int button, int shift, double x, double y);
    void lblRNK_Click(int index);
    void cmdREN_Click();
    void cmdGAME_Click();
    void lblCOM_MouseDown(int button, int shift);
    void lblUSER_MouseDown(int button, int shift);

    // Match flow: the result of a won set, the announcement of the next
    // set, the player's round, the champion's celebration.
    bool CHECK_RESULT();
    void SET_INFO();
    void CHECK_NAME();
    void SET_CHAMP_PFM();

    // The record table: loaded at start, changed by won rounds and titles,
    // saved by the end command.
    void LOAD_DATA();
    void SAVE_DATA();
    void SET_RANKING();
    void SET_CHAMPION();

    // The ranking board's six lines.
    void setLine(int line, const QString &text) override;
    QString line(int line) const override;
    void setLineBackground(int line, QColor colour) override;
    QColor lineBackground(int line) const override;

    // The frame loop of a game and the set-up between points.
    void MAIN_LOOP() { m_loop->MAIN_LOOP(); }
    bool SET_INIT() { return m_loop->SET_INIT(); }
    RallyLoop &loop() { return *m_loop; }

    // Idle scoreboard.
    void RESET_BOARD() override;
    bool pointAward() override;
    void showInterrupt() override;
    void CUR_NORMAL() override;
    void CUR_RACKET() override;
    void CUR_SWING() override;

    // The computer's racket and the court in the colours of `level`.
    void SET_RAKET();
    void SET_COURT();

    bool maximized() const { return m_maximized; }
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

    // Off-screen pictures: never shown themselves, only drawn from.
    Picture picB;     // back buffer of the court
    Picture picBL;    // black area
    Picture picBALL;  // ball and its mask
    Picture picROLL;  // the player's four swing frames
    Picture picCOM;   // the computer's racket at rest, recoloured
    Picture picCOMsh; // the computer's serve and swing frames, recoloured
    QImage imgC;      // the court as drawn, with its own palette
    QImage imgCOMrkt; // the computer's racket as drawn (16 colours)
    QImage imgCOMsh;  // its serve and swing frames as drawn (16 colours)
    QCursor curRKT;   // the racket pointer
    QCursor curNON;   // the pointer shown while a swing is drawn

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildControls();
    void loadPictures();
    void setGameButtons(bool idle);
    void announce(const QString &text, QColor dialogColour, QColor panelColour, int sound);
    void showRank(std::int32_t level);
    void showRound(std::int32_t level);
    void placeBox();
    void enlargeWhereRefused();
    void restoreNormalSize();
    void fixNormalSize();

    Application &m_app;
    std::unique_ptr<RallyLoop> m_loop;
    std::unique_ptr<modDATA> m_data;
    // How long a window manager may take to maximize before "大" takes the
    // whole screen instead.
    static constexpr int kMaximizeWaitMs = 800;
    bool m_maximized = false;
    bool m_fixPending = false; // the normal size is to be fixed once reached
    bool m_activated = false;
};

} // namespace moka
