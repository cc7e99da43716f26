// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

class QPainter;

// The 280 x 200 title card shown while the game starts: the name in Latin
// letters and katakana, two slogans, the version and the credits, on purple
// inside a double frame. Drawn in the 16-colour palette with unsmoothed text
// so every pixel is one of the sixteen.
class SplashArt
{
public:
    static constexpr int Width = 280;
    static constexpr int Height = 200;

    static QImage render();

    // The family all text is set in; empty when the font is not installed.
    static QString fontFamily();

private:
    static void drawFrame(QPainter &p);
    static void drawTitle(QPainter &p, int baseline);
    static void drawRacketLetter(QPainter &p, const QRect &head);
    static void drawKatakana(QPainter &p, int top);
    static void drawPictogram(QPainter &p, int x, int y);
};
