// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "rally/Ball.h"

#include <functional>
#include <string>
#include <vector>

// A ball that stays where it is put: its Task moves nothing, only notes
// "ball" in `log` (when given) and runs `onTask`.
struct StubBall : moka::Ball
{
    void Task() override
    {
        if (log)
            log->push_back("ball");
        if (onTask)
            onTask();
    }
    std::int32_t X() const override { return x; }
    std::int32_t Y() const override { return y; }
    std::int32_t FactorX() const override { return fx; }
    std::int32_t FactorY() const override { return fy; }
    void setX(std::int32_t v) override { x = v; }
    void setY(std::int32_t v) override { y = v; }
    void setFactorX(std::int32_t v) override { fx = v; }
    void setFactorY(std::int32_t v) override { fy = v; }

    std::int32_t x = 0, y = 0, fx = 0, fy = 0;
    std::vector<std::string> *log = nullptr;
    std::function<void()> onTask;
};
