// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/frmCUT.h"

#include "look/Fonts.h"
#include "look/Looks.h"
#include "look/Palette.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace moka {

frmCUT::frmCUT(QWidget *owner)
    : MovableDialog(owner, QSize(312, 120), kRed)
{
    using S = Looks::LabelStyle;
    QWidget *client = clientArea();
    // Back to front: the panel, the text over it, the buttons over both.
    Label1 = Looks::label(client, {8, 8, 297, 105}, QString(), Fonts::gothic(9), S{{}, kOrange, false, true});
    Label2 = Looks::label(client, {16, 24, 281, 33}, tr("．．．進行を中断しています．．．"),
                          Fonts::gothic(12), S{kBlue, {}, true, false});
    // The text stands at the top of its box, clear of the button below it.
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Command1 = Looks::button(client, {64, 48, 185, 25}, tr("プレイ に戻る"), kPeach);
    Command2 = Looks::button(client, {64, 80, 185, 25}, tr("プレイデータ を 破棄 する"), kPeach);

    movesWith(Label1, [this](const QMouseEvent &event) { Label1_MouseDown(event); });
    movesWith(Label2, [this](const QMouseEvent &event) { Label2_MouseDown(event); });
    answersKeys({Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}, [this] { Command1_Click(); });
    connect(Command1, &QPushButton::clicked, this, &frmCUT::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmCUT::Command2_Click);
}

void frmCUT::Command1_Click()
{
    m_resume = true;
    accept();
}

void frmCUT::Command2_Click() { QDialog::reject(); }

void frmCUT::reject() { Command1_Click(); }

void frmCUT::Label1_MouseDown(const QMouseEvent &event) { startMove(event); }

void frmCUT::Label2_MouseDown(const QMouseEvent &event) { startMove(event); }

} // namespace moka
