// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The yardstick for start-up time: the smallest Qt Widgets program that shows
// a window with a line of text, built with the same compiler and flags as the
// game. It quits by itself after `seconds` (default 3).
//   minimal_window [seconds]
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <cstdlib>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("minimal window"));
    label.setWindowTitle(QStringLiteral("minimal window"));
    label.resize(409, 513);
    label.show();
    QTimer::singleShot((argc > 1 ? std::atoi(argv[1]) : 3) * 1000, &app, &QApplication::quit);
    return app.exec();
}
