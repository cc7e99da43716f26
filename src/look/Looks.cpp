// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look/Looks.h"

#include <QLabel>
#include <QPushButton>
#include <QVariant>

namespace moka {

namespace {

const char *kText = "mokaText";
const char *kBack = "mokaBack";
const char *kBorder = "mokaBorder";

QString rgb(QColor c) { return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue()); }

void applyLabelSheet(QLabel *label)
{
    const QColor text = label->property(kText).value<QColor>();
    const QColor back = label->property(kBack).value<QColor>();
    const bool bordered = label->property(kBorder).toBool();
    QString sheet = QStringLiteral("QLabel{");
    sheet += text.isValid() ? QStringLiteral("color:%1;").arg(rgb(text)) : QString();
    sheet += back.isValid() ? QStringLiteral("background-color:%1;").arg(rgb(back))
                            : QStringLiteral("background:transparent;");
    sheet += bordered ? QStringLiteral("border:1px solid rgb(0,0,0);") : QStringLiteral("border:none;");
    sheet += QStringLiteral("padding:0px;margin:0px;}");
    // Setting a sheet parses and polishes the label again, unchanged or not.
    if (sheet != label->styleSheet())
        label->setStyleSheet(sheet);
}

} // namespace

QPushButton *Looks::button(QWidget *parent, QRect geometry, const QString &caption, QColor background,
                           const QFont *font)
{
    auto *b = new QPushButton(caption, parent);
    b->setGeometry(geometry);
    if (font)
        b->setFont(*font);
    // The game is played with the mouse: a button never holds the keyboard
    // focus, so a stray Space or Enter cannot press 終了.
    b->setFocusPolicy(Qt::NoFocus);
    setButtonColour(b, background);
    return b;
}

void Looks::setButtonColour(QPushButton *b, QColor bg)
{
    b->setProperty(kBack, bg);
    // A raised graphical button in its own colour, sunk while pressed.
    const QString sheet =
        QStringLiteral("QPushButton{background-color:%1;color:rgb(0,0,0);border:2px outset %2;"
                       "padding:0px;}"
                       "QPushButton:pressed{border-style:inset;}"
                       "QPushButton:disabled{color:rgb(128,128,128);}"
                       "QPushButton:focus{outline:none;}")
            .arg(rgb(bg), rgb(bg.lighter(130)));
    if (sheet != b->styleSheet())
        b->setStyleSheet(sheet);
}

QColor Looks::buttonBackground(const QPushButton *b) { return b->property(kBack).value<QColor>(); }

QLabel *Looks::label(QWidget *parent, QRect geometry, const QString &caption, const QFont &font,
                     const LabelStyle &style)
{
    auto *l = new QLabel(caption, parent);
    l->setGeometry(geometry);
    l->setFont(font);
    // Labels draw their text from the top; a tall label (the set counts)
    // leaves its spare height below the text.
    l->setAlignment(style.centred ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
    // No indent: a bordered label would otherwise push its text half an "x"
    // down from the top edge.
    l->setIndent(0);
    l->setProperty(kBorder, style.bordered);
    l->setProperty(kText, style.text);
    l->setProperty(kBack, style.background);
    l->setTextFormat(Qt::PlainText);
    applyLabelSheet(l);
    return l;
}

void Looks::setLabelColours(QLabel *l, QColor text, QColor background)
{
    if (text.isValid())
        l->setProperty(kText, text);
    if (background.isValid())
        l->setProperty(kBack, background);
    applyLabelSheet(l);
}

QColor Looks::labelText(const QLabel *l)
{
    const QColor c = l->property(kText).value<QColor>();
    return c.isValid() ? c : l->palette().color(QPalette::WindowText);
}

QColor Looks::labelBackground(const QLabel *l) { return l->property(kBack).value<QColor>(); }

QWidget *Looks::box(QWidget *parent, QRect geometry, QColor background)
{
    auto *w = new QWidget(parent);
    w->setGeometry(geometry);
    w->setAutoFillBackground(true);
    setBackground(w, background);
    return w;
}

void Looks::setBackground(QWidget *widget, QColor background)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, background);
    widget->setPalette(pal);
}

} // namespace moka
