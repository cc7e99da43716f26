#include "dialogs/frmINFO.h"

#include "look/Fonts.h"
#include "look/Looks.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace moka {

namespace {

const QColor kLilac(192, 192, 255);
const QColor kBlue(0, 0, 255);
const QColor kOlive(192, 192, 0);

} // namespace

frmINFO::frmINFO(QWidget *owner)
    : MovableDialog(owner, QSize(346, 80), kLilac)
{
    using S = Looks::LabelStyle;
    QWidget *client = clientArea();
    // Back to front: the panel, the text over it, the button over both.
    lblBK = Looks::label(client, {8, 8, 329, 65}, QString(), Fonts::gothic(9), S{{}, kLilac, false, true});
    lblGAME = Looks::label(client, {16, 16, 313, 33}, tr("C - 1 :  第 １ セット"), Fonts::gothic(14.25, true),
                           S{kBlue, {}, true, false});
    // The text stands at the top of its box, clear of the button below it.
    lblGAME->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    cmdOK = Looks::button(client, {120, 40, 105, 25}, tr("OK"), kOlive);

    lblBK->installEventFilter(this);
    lblGAME->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, &frmINFO::cmdOK_Click);
}

void frmINFO::cmdOK_Click() { accept(); }

void frmINFO::Form_MouseDown(const QMouseEvent &event) { startMove(event); }

void frmINFO::lblGAME_MouseDown(const QMouseEvent &event) { startMove(event); }

// The panel covers nearly all of the dialog, so it moves the dialog too.
void frmINFO::lblBK_MouseDown(const QMouseEvent &event) { startMove(event); }

void frmINFO::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Escape:
        if (!event->isAutoRepeat())
            cmdOK_Click();
        event->accept();
        return;
    default: MovableDialog::keyPressEvent(event);
    }
}

void frmINFO::mousePressEvent(QMouseEvent *event)
{
    Form_MouseDown(*event);
    event->accept();
}

bool frmINFO::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        const auto &press = static_cast<const QMouseEvent &>(*event);
        if (watched == lblGAME) {
            lblGAME_MouseDown(press);
            return true;
        }
        if (watched == lblBK) {
            lblBK_MouseDown(press);
            return true;
        }
    }
    return MovableDialog::eventFilter(watched, event);
}

} // namespace moka
