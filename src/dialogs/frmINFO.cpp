// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/frmINFO.h"

#include "look/Fonts.h"
#include "look/Looks.h"
#include "look/Palette.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace moka {

namespace {

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

    movesWith(lblBK, [this](const QMouseEvent &event) { lblBK_MouseDown(event); });
    movesWith(lblGAME, [this](const QMouseEvent &event) { lblGAME_MouseDown(event); });
    // Enter, Space and Escape press OK, the only button.
    answersKeys({Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape}, [this] { cmdOK_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, &frmINFO::cmdOK_Click);
}

void frmINFO::cmdOK_Click() { accept(); }

void frmINFO::lblGAME_MouseDown(const QMouseEvent &event) { startMove(event); }

// The panel covers nearly all of the dialog, so it moves the dialog too.
void frmINFO::lblBK_MouseDown(const QMouseEvent &event) { startMove(event); }

} // namespace moka
