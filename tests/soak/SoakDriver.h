// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "SoakPlayer.h"

#include "data/RecordTable.h"

#include <QString>
#include <QTemporaryDir>

#include <cstdint>

// Runs the program again and again in this process, on the virtual
// platform with the real dialogs, in one data folder (the ranking file
// carries over), while a SoakPlayer gives it `inputs` inputs. A run ends
// when the program ends (the end button, the window closed, the
// celebration); the next starts at once. Returns 0, or prints the failure
// with the seed and the last inputs and exits with status 1.
class SoakDriver
{
public:
    SoakDriver(std::uint64_t seed, long inputs);

    int run();

private:
    void playOneRun(int number);
    [[noreturn]] void fail(const QString &what);

    std::uint64_t m_seed;
    long m_target;
    SoakPlayer m_player;
    QTemporaryDir m_folder;
    QString m_lockName;
    moka::RecordTable m_loaded;
};
