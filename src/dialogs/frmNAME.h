// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;

namespace moka {

class Platform;
struct RecordTable;

// The registration dialog shown before every tournament game: the player
// types a name of up to three capital letters or picks one of the ranked
// names from the list. Client area 350 × 154.
//
// The name comes back in playerName(); it stays empty when the dialog is
// cancelled or closed without a name, which means no game. Form_Load runs in
// the constructor, so every showing takes a new object:
//
//     frmNAME dlg(platform, records, mainWindow);
//     platform.showModal(dlg);
//     // read dlg.playerName()
//
// The result of the modal showing is Accepted only when a name was taken.
class frmNAME : public QDialog
{
    Q_OBJECT
public:
    frmNAME(Platform &platform, const RecordTable &records, QWidget *owner);

    // The name taken, empty for none; the name stored for the celebration
    // preview by a click on the hint, empty when none was.
    const QString &playerName() const { return m_playerName; }
    const QString &previewName() const { return m_previewName; }

    // Handlers.
    void Form_Activate();
    // The filter for each character typed into cboNAME: returns the character
    // to type instead, 0 to discard it.
    int cboNAME_KeyPress(int keyAscii);
    void Command1_Click();
    void Command2_Click();
    void Label4_Click();

    // Controls, named as in the layout.
    QLabel *Label1 = nullptr;
    QWidget *Line1 = nullptr;
    QLabel *Label4 = nullptr;
    QComboBox *cboNAME = nullptr;
    QLabel *Label2 = nullptr;
    QWidget *Line2 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command1 = nullptr;

    static QString tooLongMessage();

    // Centred on the main window whenever it is shown.
    void setVisible(bool visible) override;

protected:
    bool event(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Loads the names; called once, by the constructor.
    void Form_Load();
    void buildControls();
    // Runs a key press of the name box through cboNAME_KeyPress; true when
    // the filter took the key (discarded it or typed another character).
    bool typeKey(const QKeyEvent &key);
    // The character code a key press types, as the filter sees it; -1 for
    // keys that type nothing (arrows, Delete, lone modifiers).
    static int characterCode(const QKeyEvent &key);

    Platform &m_platform;
    QString m_playerName;
    QString m_previewName;
    const RecordTable &m_records;
    bool m_activated = false; // Form_Activate has been queued for this showing
};

} // namespace moka
