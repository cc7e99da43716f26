// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "celebration/Particle.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <list>
#include <memory>
#include <vector>

namespace moka {

// The live particles, keyed by their ID and kept in the order they were
// added. The list owns them; removing one ends its life. An object may
// remove itself (or others) from inside its own Task: it is only destroyed
// once no Task of it can still be running.
class ParticleList
{
public:
    ParticleList();
    ~ParticleList();
    ParticleList(const ParticleList &) = delete;
    ParticleList &operator=(const ParticleList &) = delete;

    // Adds `particle` under its ID. A key already in the list is refused:
    // the new object is dropped and false returned.
    bool add(std::unique_ptr<Particle> particle);
    // Removes the object with this key; an unknown key is ignored.
    void remove(const QString &id);
    // Removes every object.
    void clear();

    bool contains(const QString &id) const { return m_index.contains(id); }
    Particle *item(const QString &id) const;
    int count() const { return static_cast<int>(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    // The keys in the order their objects were added.
    QStringList keys() const;

    // One Task for every object in the list when the walk starts, in the
    // order they were added; objects removed on the way before their turn
    // are skipped, objects added on the way wait for the next walk. A Task
    // that throws loses the rest of its own frame only.
    void taskAll();

private:
    using Items = std::list<std::unique_ptr<Particle>>;

    void release(std::unique_ptr<Particle> particle);

    Items m_items;
    QHash<QString, Items::iterator> m_index;
    std::vector<std::unique_ptr<Particle>> m_removed; // out of the list, not yet destroyed
    int m_walks = 0;                                  // nesting depth of taskAll()
};

} // namespace moka
