// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QWidget>

namespace moka {

class Application;

// The splash card: borderless, 280 × 200, centred on the screen, shown above
// the main window once that is up. It checks the display when it loads and
// closes on a key or a mouse button.
class frmSPRUSH : public QWidget
{
    Q_OBJECT
public:
    frmSPRUSH(Application &app, QWidget *owner);

    // Display check and size; may end the program.
    void Form_Load();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    Application &m_app;
    QImage m_card;
};

} // namespace moka
