// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dialogs/MovableDialog.h"

class QLabel;
class QPushButton;

namespace moka {

// The announcement dialog: one line of text on a panel and an OK button.
// Client area 346 × 80, no title bar. Every announcement uses a fresh copy,
// so it always starts from the default colours.
class frmINFO : public MovableDialog
{
    Q_OBJECT
public:
    explicit frmINFO(QWidget *owner = nullptr);

    // Handlers.
    void cmdOK_Click();
    void lblGAME_MouseDown(const QMouseEvent &event);
    void lblBK_MouseDown(const QMouseEvent &event);

    // Controls, named as in the layout. lblBK is the panel behind the text.
    QLabel *lblBK = nullptr;
    QLabel *lblGAME = nullptr;
    QPushButton *cmdOK = nullptr;
};

} // namespace moka
