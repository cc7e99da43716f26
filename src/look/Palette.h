// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

namespace moka {

// The game's colours by name: the sixteen colours of its windows, buttons
// and labels and the few pale ones of its dialogs.
inline const QColor kBlack(0, 0, 0);
inline const QColor kWhite(255, 255, 255);
inline const QColor kRed(255, 0, 0);
inline const QColor kLime(0, 255, 0);
inline const QColor kBlue(0, 0, 255);
inline const QColor kYellow(255, 255, 0);
inline const QColor kGreen(0, 128, 0);
inline const QColor kPurple(128, 0, 128);
inline const QColor kTeal(0, 128, 128);
inline const QColor kOlive(192, 192, 0);
inline const QColor kOrange(255, 128, 0);
inline const QColor kPink(255, 128, 255);
inline const QColor kPeach(255, 192, 128);
inline const QColor kLilac(192, 192, 255);
inline const QColor kPaleCyan(192, 255, 255);

} // namespace moka
