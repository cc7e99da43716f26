// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "celebration/ParticleList.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

using namespace moka;

namespace {

// A particle that logs its Task and does whatever the test asks in it.
class Probe : public Particle
{
public:
    Probe(QString id, QStringList &log, bool *gone = nullptr)
        : m_id(std::move(id))
        , m_log(log)
        , m_gone(gone)
    {
    }
    ~Probe() override
    {
        if (m_gone)
            *m_gone = true;
    }
    const QString &ID() const override { return m_id; }
    void Task() override
    {
        if (action)
            action();
        m_log << m_id; // after the action: the object must still be alive here
    }

    std::function<void()> action;

private:
    QString m_id;
    QStringList &m_log;
    bool *m_gone;
};

} // namespace

TEST(ParticleList, KeysAreUniqueAndKeepTheOrderOfAdding)
{
    ParticleList list;
    QStringList log;
    EXPECT_TRUE(list.add(std::make_unique<Probe>("H3", log)));
    EXPECT_TRUE(list.add(std::make_unique<Probe>("H4", log)));
    EXPECT_TRUE(list.add(std::make_unique<Probe>("F5", log)));
    EXPECT_FALSE(list.add(std::make_unique<Probe>("H4", log))) << "a key already in the list";
    EXPECT_FALSE(list.add(nullptr));
    EXPECT_EQ(list.keys(), (QStringList{"H3", "H4", "F5"}));

    list.remove("H4");
    list.remove("X9"); // unknown: ignored
    EXPECT_EQ(list.keys(), (QStringList{"H3", "F5"}));
    EXPECT_FALSE(list.contains("H4"));
    EXPECT_TRUE(list.add(std::make_unique<Probe>("H4", log))) << "a key removed may be used again";
    list.clear();
    EXPECT_TRUE(list.isEmpty());
}

// While the walk runs, objects remove themselves and others, one throws and
// a new one arrives: every object present at the start and still there at
// its turn gets exactly one Task, in the order of adding.
TEST(ParticleList, TheWalkGivesEachLiveObjectOneTaskWhileTheListChanges)
{
    ParticleList list;
    QStringList log;
    bool aGone = false, bGone = false, cGone = false;
    auto a = std::make_unique<Probe>("A", log, &aGone);
    auto b = std::make_unique<Probe>("B", log, &bGone);
    auto c = std::make_unique<Probe>("C", log, &cGone);
    auto d = std::make_unique<Probe>("D", log);
    auto e = std::make_unique<Probe>("E", log);
    a->action = [&] { list.remove("A"); };              // itself; it still finishes its Task
    b->action = [&] { list.remove("C"); };              // a later one: C gets no Task
    d->action = [&] { list.remove("B"); };              // an earlier one: B already had its Task
    e->action = [&] { throw std::runtime_error("x"); }; // loses the rest of its own frame only
    Probe *dRaw = d.get();
    for (auto *p : {&a, &b, &c, &d, &e})
        list.add(std::move(*p));

    list.taskAll();
    EXPECT_EQ(log, (QStringList{"A", "B", "D"}));
    EXPECT_EQ(list.keys(), (QStringList{"D", "E"}));
    EXPECT_TRUE(aGone && bGone && cGone) << "the removed are released once the walk is over";

    // An object added during the walk waits for the next one.
    log.clear();
    dRaw->action = [&] { list.add(std::make_unique<Probe>("L", log)); };
    list.taskAll();
    EXPECT_EQ(log, (QStringList{"D"}));
    dRaw->action = nullptr;
    log.clear();
    list.taskAll();
    EXPECT_EQ(log, (QStringList{"D", "L"}));
    EXPECT_EQ(list.keys(), (QStringList{"D", "E", "L"}));
}
