// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SplashArt.h"

#include "Palette16.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

QColor pal(int index) { return QColor::fromRgb(Palette16::colours().at(index)); }

QFont textFont(int pixelSize, bool bold = false)
{
    QFont f(SplashArt::fontFamily());
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// Centred text with a one-pixel black drop shadow; returns the text width.
int centredText(QPainter &p, const QString &text, const QFont &font, int baseline, int colour,
                int xOffset = 0, bool shadow = true)
{
    p.setFont(font);
    const QFontMetrics fm(font);
    const int w = fm.horizontalAdvance(text);
    const int x = (SplashArt::Width - w) / 2 + xOffset;
    if (shadow) {
        p.setPen(pal(Palette16::Black));
        p.drawText(x + 1, baseline + 1, text);
    }
    p.setPen(pal(colour));
    p.drawText(x, baseline, text);
    return w;
}

void hRule(QPainter &p, int x0, int x1, int y, int colour) { p.fillRect(x0, y, x1 - x0 + 1, 1, pal(colour)); }

} // namespace

QString SplashArt::fontFamily()
{
    const QString wanted = QStringLiteral("IPAPGothic");
    return QFontDatabase::families().contains(wanted) ? wanted : QString();
}

void SplashArt::drawFrame(QPainter &p)
{
    // Outer frame: a two-pixel white band; inner frame: a one-pixel silver line.
    p.fillRect(2, 2, Width - 4, 2, pal(Palette16::White));
    p.fillRect(2, Height - 4, Width - 4, 2, pal(Palette16::White));
    p.fillRect(2, 2, 2, Height - 4, pal(Palette16::White));
    p.fillRect(Width - 4, 2, 2, Height - 4, pal(Palette16::White));
    p.setPen(pal(Palette16::Silver));
    p.setBrush(Qt::NoBrush);
    p.drawRect(6, 6, Width - 13, Height - 13);
}

void SplashArt::drawTitle(QPainter &p, int baseline)
{
    // "m", a ball for the "o", then "kaRUNs".
    const QFont font = textFont(34, true);
    const QFontMetrics fm(font);
    const QString head = QStringLiteral("m");
    const QString tail = QStringLiteral("kaRUNs");
    const int ballSize = fm.xHeight() + 2;
    const int gap = 2;
    const int total = fm.horizontalAdvance(head) + gap + ballSize + 2 * gap + fm.horizontalAdvance(tail);
    int x = (Width - total) / 2;

    p.setFont(font);
    p.setPen(pal(Palette16::Black));
    p.drawText(x + 2, baseline + 2, head);
    p.setPen(pal(Palette16::White));
    p.drawText(x, baseline, head);
    x += fm.horizontalAdvance(head) + gap;

    // A racket head stands in for the "o", its handle dipping below the
    // baseline, with the ball just leaving the strings.
    const int headW = ballSize - 2;
    const int headH = ballSize + 1;
    drawRacketLetter(p, QRect(x + 1, baseline - headH + 1, headW, headH));
    x += ballSize + 2 * gap;

    p.setFont(font);
    p.setPen(pal(Palette16::Black));
    p.drawText(x + 2, baseline + 2, tail);
    p.setPen(pal(Palette16::White));
    p.drawText(x, baseline, tail);
}

void SplashArt::drawRacketLetter(QPainter &p, const QRect &head)
{
    const int cx = head.center().x();
    const QRect handle(cx - 1, head.bottom() - 1, 3, 10);

    // Drop shadow, like the letters'.
    p.setPen(Qt::NoPen);
    p.setBrush(pal(Palette16::Black));
    p.drawEllipse(head.translated(2, 2));
    p.drawRect(handle.translated(2, 2));

    // Throat and grip.
    p.fillRect(handle.x(), handle.y(), 3, 4, pal(Palette16::Olive));
    p.fillRect(handle.x(), handle.y() + 4, 3, handle.height() - 4, pal(Palette16::Maroon));
    p.fillRect(handle.x(), handle.y() + 5, 3, 1, pal(Palette16::Red));
    p.fillRect(handle.x(), handle.y() + 8, 3, 1, pal(Palette16::Red));

    // Frame with strings across the inside.
    p.setBrush(pal(Palette16::Purple));
    p.setPen(pal(Palette16::Olive));
    p.drawEllipse(head.adjusted(0, 0, -1, -1));
    p.save();
    QPainterPath inside;
    inside.addEllipse(QRectF(head).adjusted(1.5, 1.5, -1.5, -1.5));
    p.setClipPath(inside);
    p.setPen(pal(Palette16::Silver));
    for (int sx = head.left() + 3; sx < head.right(); sx += 3)
        p.drawLine(sx, head.top(), sx, head.bottom());
    for (int sy = head.top() + 3; sy < head.bottom(); sy += 3)
        p.drawLine(head.left(), sy, head.right(), sy);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pal(Palette16::Yellow), 1));
    p.drawEllipse(head.adjusted(1, 1, -2, -2));
    p.setPen(pal(Palette16::Olive));
    p.drawEllipse(head.adjusted(2, 2, -3, -3));

    // The ball, up and to the right of the head, with a glint.
    const int d = 9;
    const QRect ball(head.right() - d / 2 + 1, head.top() - d / 2 - 1, d, d);
    p.setPen(Qt::NoPen);
    p.setBrush(pal(Palette16::Black));
    p.drawEllipse(ball.translated(1, 1));
    p.setPen(pal(Palette16::Olive));
    p.setBrush(pal(Palette16::Yellow));
    p.drawEllipse(ball.adjusted(0, 0, -1, -1));
    p.fillRect(ball.x() + 2, ball.y() + 2, 2, 2, pal(Palette16::White));
}

void SplashArt::drawKatakana(QPainter &p, int top)
{
    const QFont font = textFont(32, true);
    const QFontMetrics fm(font);
    const int ruleX0 = 22, ruleX1 = Width - 23;
    hRule(p, ruleX0, ruleX1, top, Palette16::Lime);
    hRule(p, ruleX0, ruleX1, top + 3, Palette16::Green);
    const int baseline = top + 6 + fm.ascent();
    centredText(p, QStringLiteral("モカランズ"), font, baseline, Palette16::Cyan);
    const int bottom = baseline + fm.descent() + 2;
    hRule(p, ruleX0, ruleX1, bottom, Palette16::Green);
    hRule(p, ruleX0, ruleX1, bottom + 3, Palette16::Lime);
}

void SplashArt::drawPictogram(QPainter &p, int x, int y)
{
    // A small red racket leaning at 45 degrees (head up-left, handle
    // down-right) and its ball, set pixel by pixel in an 18 x 16 box with
    // the top-left corner at (x, y). Along the tilt the strings are simply
    // the two diagonals.
    const QColor red = pal(Palette16::Red);
    p.setPen(red);
    const double cx = 6.5, cy = 6.5;
    for (int py = 0; py < 16; ++py) {
        for (int px = 0; px < 16; ++px) {
            const double dx = px + 0.5 - cx, dy = py + 0.5 - cy;
            const double u = (dx + dy) / std::sqrt(2.0); // along the handle
            const double v = (dx - dy) / std::sqrt(2.0);
            const double e = (u * u) / (6.6 * 6.6) + (v * v) / (4.9 * 4.9);
            bool on = false;
            if (e < 1.0)
                on = e > 0.66 || (px + py) % 4 == 1 || (px - py + 32) % 4 == 0;
            // Handle: two pixels wide down the diagonal.
            if (px >= 11 && py >= 11 && (px == py || px == py + 1) && px <= 15)
                on = true;
            if (on)
                p.drawPoint(x + px, y + py);
        }
    }
    // The ball: a five-pixel disc with its corners knocked off.
    p.fillRect(x + 14, y, 3, 5, red);
    p.fillRect(x + 13, y + 1, 5, 3, red);
}

QImage SplashArt::render()
{
    QImage canvas(Width, Height, QImage::Format_RGB32);
    canvas.fill(pal(Palette16::Purple));
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);

    drawFrame(p);
    drawTitle(p, 43);
    centredText(p, QStringLiteral("Smash your way to the title!"), textFont(12), 64, Palette16::Yellow);
    drawKatakana(p, 71);
    centredText(p, QStringLiteral("Version 1.0  for Linux"), textFont(12), 134, Palette16::White);

    const QFont sloganFont = textFont(14);
    const QString slogan = QStringLiteral("マウスでスマッシュ！");
    const int sloganWidth = QFontMetrics(sloganFont).horizontalAdvance(slogan);
    const int iconGap = 22;
    const int sloganX = (Width - sloganWidth + iconGap) / 2;
    drawPictogram(p, sloganX - iconGap, 144);
    centredText(p, slogan, sloganFont, 157, Palette16::Magenta, iconGap / 2);

    centredText(p, QStringLiteral("(C) 2026 mokaRUNs team"), textFont(11), 182, Palette16::Silver);
    p.end();
    return Palette16::quantize(canvas);
}
