// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The soak test: the whole game, built with AddressSanitizer and
// UndefinedBehaviorSanitizer, played offscreen on the virtual clock by a
// seeded random player. See run_soak.sh.
//
//     soak_run --seed N --inputs N

#include "SoakDriver.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Qt's own complaints about the player's stray clicks (a press nothing
// takes) say nothing about the game; everything else is shown.
void messages(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (text.contains(QLatin1String("not accepted by receiving widget")) ||
        text.contains(QLatin1String("This plugin does not support")))
        return;
    std::fprintf(stderr, "%s: %s\n", type == QtWarningMsg ? "warning" : "qt", qPrintable(text));
}

} // namespace

int main(int argc, char **argv)
{
    unsigned long long seed = 1;
    long inputs = 20000;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--seed") == 0) {
            seed = std::stoull(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--inputs") == 0) {
            inputs = std::stol(argv[i + 1]);
        } else {
            std::fprintf(stderr, "usage: soak_run [--seed N] [--inputs N]\n");
            return 2;
        }
    }
    // The seed first, so that a run that dies in a sanitizer can be replayed.
    std::printf("soak: seed %llu, %ld inputs\n", seed, inputs);
    std::fflush(stdout);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(messages);
    QApplication::setApplicationName(QStringLiteral("mokaRUNs")); // as the game names itself
    QApplication qapp(argc, argv);
    int status = 0;
    {
        SoakDriver driver(seed, inputs);
        status = driver.run();
    }
    return status;
}
