#pragma once

#include "data/RankingBoard.h"
#include "desktop/ImageFrame.h"
#include "desktop/WindowSizeToggle.h"
#include "match/MatchFlow.h"
#include "match/Scoreboard.h"
#include "platform/Picture.h"
#include "rally/CourtPointer.h"
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

// The main window: the court on the left, the scoreboard, buttons and the
// ranking board on the right. Client area 409 × 514. The match itself is
// played by MatchFlow; the window shows it and passes the player's input on.
class frmMAIN : public QWidget, public CourtPointer, public RankingBoard, public Scoreboard
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

    // The match played in this window, and its frame loop.
    MatchFlow &flow() { return *m_flow; }
    RallyLoop &loop() { return m_flow->loop(); }
    void MAIN_LOOP() { m_flow->loop().MAIN_LOOP(); }

    // The ranking board's six lines.
    void setLine(int line, const QString &text) override;
    QString line(int line) const override;
    void setLineBackground(int line, QColor colour) override;
    QColor lineBackground(int line) const override;

    // The scoreboard.
    void showLifeBars(std::int32_t comTop, std::int32_t userTop) override;
    void showSetCounts(std::int32_t comSets, std::int32_t userSets) override;
    void showRound(const QString &round, const QString &level) override;
    void showRank(int rank) override;
    void showButtons(Buttons buttons) override;
    void paintRacket(std::int32_t racketColor) override;
    void paintCourt(std::int32_t courtColor) override;
    void celebrate() override;
    void closeSplash() override;
    void focusCourt() override;
    void closeWindow() override { close(); }

    // The pointer over the court.
    void CUR_NORMAL() override;
    void CUR_RACKET() override;
    void CUR_SWING() override;

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

private:
    void buildControls();
    void loadPictures();

    Application &m_app;
    std::unique_ptr<MatchFlow> m_flow;
    WindowSizeToggle *m_size = nullptr; // "大"/"小"
    bool m_activated = false;
};

} // namespace moka
