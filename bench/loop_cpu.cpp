// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs the game's frame loop on the real clock in a real window for a few
// seconds and prints how much processor time it took and how regular the
// frames were. Run it under a display (Xvfb is fine):
//   loop_cpu [level] [seconds] [frames]
// It stops after `seconds`, or after `frames` frames when that is given.
#include "app/Application.h"
#include "app/frmMAIN.h"
#include "desktop/QtPlatform.h"
#include "look/Fonts.h"
#include "rally/Ball.h"

#include <QApplication>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A ball that only notes when each frame began.
class TimingBall : public moka::Ball
{
public:
    explicit TimingBall(const moka::Platform &platform)
        : m_platform(platform)
    {
    }
    void Task() override
    {
        starts.push_back(m_platform.now());
        if (onFrame)
            onFrame(starts.size());
    }
    std::int32_t X() const override { return 141; }
    std::int32_t Y() const override { return 93; }
    std::int32_t FactorX() const override { return 0; }
    std::int32_t FactorY() const override { return 0; }
    void setX(std::int32_t) override {}
    void setY(std::int32_t) override {}
    void setFactorX(std::int32_t) override {}
    void setFactorY(std::int32_t) override {}
    std::vector<std::int64_t> starts;
    std::function<void(size_t)> onFrame;

private:
    const moka::Platform &m_platform;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication::setApplicationName(QStringLiteral("mokaRUNs")); // as the game names itself
    QApplication qapp(argc, argv);
    moka::Fonts::install();
    const int level = argc > 1 ? std::atoi(argv[1]) : 9;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
    const size_t frames = argc > 3 ? static_cast<size_t>(std::atoi(argv[3])) : 0;

    moka::QtPlatform platform;
    moka::Application::Options options;
    options.lockName = QStringLiteral("mokaruns-bench");
    moka::Application game(platform, std::move(options));
    game.Main();
    game.unloadSplash();
    moka::frmMAIN *window = game.mainWindow();
    if (!window)
        return 1;
    for (int i = 0; i < 20; ++i)
        platform.processEvents();

    TimingBall ball(platform);
    game.rally.level = level;
    game.rally.ballInPlay = true;
    window->loop().setCast({&ball, nullptr, nullptr});
    if (frames > 0)
        ball.onFrame = [&](size_t n) {
            if (n > frames) // the periods between frames 1 and frames + 1
                game.rally.loopBreak = true;
        };
    else
        QTimer::singleShot(seconds * 1000, [&] { game.rally.loopBreak = true; });

    const double cpu0 = cpuSeconds();
    const auto t0 = platform.now();
    window->MAIN_LOOP();
    const double cpu = cpuSeconds() - cpu0;
    const double wall = static_cast<double>(platform.now() - t0) / 1000.0;

    std::vector<std::int64_t> periods;
    for (size_t i = 1; i < ball.starts.size(); ++i)
        periods.push_back(ball.starts[i] - ball.starts[i - 1]);
    std::sort(periods.begin(), periods.end());
    const auto pct = [&](double p) {
        return periods.empty()
                   ? 0
                   : periods[std::min(periods.size() - 1, static_cast<size_t>(p * periods.size()))];
    };
    std::printf("level %d: %zu frames in %.1f s, cpu %.2f%% of one core, period median %lld ms, "
                "p99 %lld ms, max %lld ms\n",
                level, ball.starts.size(), wall, 100.0 * cpu / wall, static_cast<long long>(pct(0.5)),
                static_cast<long long>(pct(0.99)),
                static_cast<long long>(periods.empty() ? 0 : periods.back()));
    return 0;
}
