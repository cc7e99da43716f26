// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dialogs/MovableDialog.h"

class QLabel;
class QPushButton;

namespace moka {

// The interrupt dialog: the game is paused; return to play or discard it.
// Client area 312 × 120, no title bar. "プレイ に戻る" resumes; only
// "プレイデータ を 破棄 する" abandons the game. Enter and Escape, and any other
// way of closing the dialog, mean "プレイ に戻る".
class frmCUT : public MovableDialog
{
    Q_OBJECT
public:
    explicit frmCUT(QWidget *owner = nullptr);

    // Handlers.
    void Command1_Click();
    void Command2_Click();
    void Label1_MouseDown(const QMouseEvent &event);
    void Label2_MouseDown(const QMouseEvent &event);

    // Controls, named as in the layout. Label1 is the panel behind the text.
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

    // Closing the dialog other than by its second button returns to play.
    void reject() override;

    // The player chose to return to play.
    bool resumes() const { return m_resume; }

private:
    bool m_resume = false;
};

} // namespace moka
