// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/frmNAME.h"

#include "data/RecordFile.h"
#include "data/RecordTable.h"
#include "desktop/WindowPlacement.h"
#include "look/Fonts.h"
#include "look/Looks.h"
#include "look/Palette.h"
#include "platform/Platform.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace moka {

namespace {

constexpr int kEnter = 13;
constexpr int kLongestTyped = 3; // letters the keyboard may type
constexpr int kLongestName = 5;  // characters OK accepts

} // namespace

QString frmNAME::tooLongMessage() { return tr("名前入力は、５文字以内です！　　　　"); }

frmNAME::frmNAME(Platform &platform, const RecordTable &records, QWidget *owner)
    : QDialog(owner ? owner->window() : nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                                     Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                     Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_platform(platform)
    , m_records(records)
{
    setWindowTitle(tr("  プレイヤー登録"));
    // The window's own font, which its buttons and plain labels use.
    setFont(Fonts::gothic(9));
    setFixedSize(350, 154);
    setAutoFillBackground(true);
    Looks::setBackground(this, kLilac);
    buildControls();
    Form_Load();
}

void frmNAME::buildControls()
{
    using S = Looks::LabelStyle;
    const QFont plain = Fonts::gothic(9);

    Label1 = Looks::label(this, {64, 8, 225, 17}, tr("あなたの名前を入力して下さい。"), Fonts::gothic(12),
                          S{kBlue, {}, false, false});
    Line1 = Looks::box(this, {40, 32, 257, 1}, kBlue);
    Label4 = Looks::label(this, {48, 40, 137, 17}, tr("アルファベット ３文字以内"), plain, S{});

    cboNAME = new QComboBox(this);
    cboNAME->setObjectName(QStringLiteral("cboNAME"));
    cboNAME->setEditable(true);
    cboNAME->setGeometry(192, 40, 89, 32);
    cboNAME->setFont(Fonts::gothic(18, true));
    // A plain box with a list: no completion from the list while typing (it
    // would fill the box up to three letters at the first one) and nothing
    // added to the list by Enter.
    cboNAME->setCompleter(nullptr);
    cboNAME->setInsertPolicy(QComboBox::NoInsert);
    QPalette colours = cboNAME->palette();
    for (auto role : {QPalette::Base, QPalette::Button, QPalette::Window})
        colours.setColor(role, kPaleCyan);
    for (auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        colours.setColor(role, kBlue);
    cboNAME->setPalette(colours);
    cboNAME->lineEdit()->setPalette(colours);
    cboNAME->view()->setPalette(colours);
    // Names are typed as plain letters, never composed by an input method.
    cboNAME->lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, false);
    // The keyboard focus rests on the combo box, which hands keys straight to
    // its line edit (past that one's filters); keys sent to the line edit
    // itself come there. Both are filtered.
    cboNAME->installEventFilter(this);
    cboNAME->lineEdit()->installEventFilter(this);

    Label2 = Looks::label(this, {80, 80, 201, 17}, tr("ランキングに登録されている場合は、↑"), plain, S{});
    Line2 = Looks::box(this, {40, 104, 257, 1}, kBlue);
    Command2 = Looks::button(this, {72, 112, 81, 33}, tr("キャンセル"), kOlive);
    Command1 = Looks::button(this, {160, 112, 121, 33}, tr("OK"), kOlive);
    // Enter belongs to the key filter alone, never to a default button.
    for (QPushButton *b : {Command1, Command2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    Label4->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &frmNAME::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmNAME::Command2_Click);
}

void frmNAME::setVisible(bool visible)
{
    if (visible && !isVisible() && parentWidget())
        WindowPlacement::centre(*this, parentWidget());
    QDialog::setVisible(visible);
}

void frmNAME::Form_Load()
{
    if (const QWidget *owner = parentWidget())
        setWindowIcon(owner->window()->windowIcon());
    for (int i = 1; i <= 4; ++i) {
        const QString &name = m_records.rankName[i];
        if (!name.isEmpty())
            cboNAME->addItem(name);
    }
    cboNAME->setCurrentIndex(-1);
    cboNAME->setEditText(QString());
}

void frmNAME::Form_Activate()
{
    m_platform.processEvents();
    cboNAME->setFocus();
}

int frmNAME::cboNAME_KeyPress(int keyAscii)
{
    const int length = static_cast<int>(cboNAME->currentText().size());
    if (keyAscii >= 'a' && keyAscii <= 'z')
        keyAscii -= 32;
    if (keyAscii >= 'A' && keyAscii <= 'Z')
        return length < kLongestTyped ? keyAscii : 0;
    if (keyAscii >= 32)
        return 0;
    if (keyAscii == kEnter && length <= kLongestTyped)
        Command1_Click();
    return keyAscii;
}

void frmNAME::Command1_Click()
{
    const QString text = cboNAME->currentText();
    if (text.isEmpty()) {
        reject();
        return;
    }
    if (text.size() > kLongestName) {
        m_platform.messageBox(tooLongMessage());
        return;
    }
    // The player plays under the name the ranking file can keep: a pasted
    // name loses its quotes and line breaks here, so that the file never
    // lists one player twice ("A"B" would be written as an "AB" already there).
    m_playerName = RecordFile::writableName(text);
    if (m_playerName.isEmpty()) {
        reject();
        return;
    }
    accept();
}

void frmNAME::Command2_Click() { reject(); }

void frmNAME::Label4_Click()
{
    const QString text = cboNAME->currentText();
    if (!text.isEmpty())
        m_previewName = text;
}

bool frmNAME::event(QEvent *event)
{
    // Form_Activate once per showing, after the activation has settled.
    if (event->type() == QEvent::WindowActivate && !m_activated) {
        m_activated = true;
        QMetaObject::invokeMethod(this, &frmNAME::Form_Activate, Qt::QueuedConnection);
    }
    return QDialog::event(event);
}

void frmNAME::hideEvent(QHideEvent *event)
{
    m_activated = false;
    QDialog::hideEvent(event);
}

bool frmNAME::eventFilter(QObject *watched, QEvent *event)
{
    // A key the line edit leaves (Escape) travels on to the combo box and
    // passes the filter again, which lets it through again; Enter never
    // travels on (typeKey takes it).
    if (event->type() == QEvent::KeyPress && (watched == cboNAME || watched == cboNAME->lineEdit()))
        return typeKey(static_cast<const QKeyEvent &>(*event));
    if (event->type() == QEvent::MouseButtonRelease && watched == Label4) {
        const auto &release = static_cast<const QMouseEvent &>(*event);
        if (release.button() == Qt::LeftButton && Label4->rect().contains(release.position().toPoint()))
            Label4_Click();
    }
    return QDialog::eventFilter(watched, event);
}

bool frmNAME::typeKey(const QKeyEvent &key)
{
    const int code = characterCode(key);
    if (code < 0)
        return false;
    const int typed = cboNAME_KeyPress(code);
    if (code == kEnter)
        return true; // OK has run, or the text is too long for Enter
    if (typed == code)
        return false;
    if (typed != 0)
        cboNAME->lineEdit()->insert(QString(QChar(typed)));
    return true;
}

int frmNAME::characterCode(const QKeyEvent &key)
{
    const int k = key.key();
    const Qt::KeyboardModifiers mods = key.modifiers();
    // Ctrl with a letter is the control character of that letter (Ctrl+V is
    // 22), whatever text the keyboard layout gives it.
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && k >= Qt::Key_A && k <= Qt::Key_Z)
        return k - Qt::Key_A + 1;
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return kEnter;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Delete: return -1; // an editing key, not a character
    default: break;
    }
    const QString text = key.text();
    if (text.isEmpty())
        return -1;
    // Several characters at once (a composed sequence) are no letter typed.
    if (text.size() > 1)
        return QChar::ReplacementCharacter;
    const int code = text.at(0).unicode();
    return code == 127 ? -1 : code;
}

} // namespace moka
