// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace moka {

// How the windows' controls look: coloured graphical buttons, labels with or
// without background and border, plain coloured boxes.
class Looks
{
public:
    struct LabelStyle
    {
        QColor text;       // invalid: the system's window-text colour
        QColor background; // invalid: transparent
        bool centred = false;
        bool bordered = false;
    };

    static QPushButton *button(QWidget *parent, QRect geometry, const QString &caption, QColor background,
                               const QFont *font = nullptr);
    static QLabel *label(QWidget *parent, QRect geometry, const QString &caption, const QFont &font,
                         const LabelStyle &style);
    static QWidget *box(QWidget *parent, QRect geometry, QColor background);
    // The colour a widget's background is filled with.
    static void setBackground(QWidget *widget, QColor background);

    static void setButtonColour(QPushButton *button, QColor background);
    static void setLabelColours(QLabel *label, QColor text, QColor background);
    static QColor labelText(const QLabel *label);
    static QColor labelBackground(const QLabel *label);
    static QColor buttonBackground(const QPushButton *button);
};

} // namespace moka
