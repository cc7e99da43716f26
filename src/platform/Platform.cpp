// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Platform.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

namespace moka {

void Platform::endProgram()
{
    if (m_ending)
        return;
    m_ending = true;
    // Modal dialogs first, innermost first, so their exec() loops return.
    while (QWidget *modal = QApplication::activeModalWidget()) {
        // Closed without an answer: a dialog that takes every other way
        // out as one of its buttons is not pressed here.
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->done(QDialog::Rejected);
        modal->close();
        if (QApplication::activeModalWidget() == modal) {
            modal->hide();
            break;
        }
    }
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (w->isVisible())
            w->close();
    }
    onEnd();
}

QString Platform::title() { return QCoreApplication::applicationName(); }

} // namespace moka
