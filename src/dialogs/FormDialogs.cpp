// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/FormDialogs.h"

#include "dialogs/frmCUT.h"
#include "dialogs/frmINFO.h"
#include "dialogs/frmNAME.h"
#include "look/Looks.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QPointer>

#include <utility>

namespace moka {

FormDialogs::FormDialogs(Platform &platform, std::function<QWidget *()> owner)
    : m_platform(platform)
    , m_owner(std::move(owner))
{
}

QWidget *FormDialogs::owner() const { return m_owner ? m_owner() : nullptr; }

void FormDialogs::showInfo(const QString &text, QColor dialogColour, QColor panelColour)
{
    // The owner may go while the dialog is up (the program ending), and takes
    // its children with it.
    QPointer<frmINFO> form = new frmINFO(owner());
    form->lblGAME->setText(text);
    if (dialogColour.isValid())
        form->setBackground(dialogColour);
    if (panelColour.isValid())
        Looks::setLabelColours(form->lblBK, {}, panelColour);
    m_platform.showModal(*form);
    delete form.data();
}

Dialogs::Registration FormDialogs::showName(const RecordTable &records)
{
    frmNAME registration(m_platform, records, owner());
    m_platform.showModal(registration);
    return {registration.playerName(), registration.previewName()};
}

Dialogs::Interrupt FormDialogs::showCut()
{
    QPointer<frmCUT> form = new frmCUT(owner());
    m_platform.showModal(*form);
    const bool resume = form && form->resumes();
    delete form.data();
    return resume ? Interrupt::Resume : Interrupt::Discard;
}

} // namespace moka
