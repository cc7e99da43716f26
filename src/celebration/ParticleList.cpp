// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "celebration/ParticleList.h"

#include <exception>

namespace moka {

ParticleList::ParticleList() = default;

ParticleList::~ParticleList() = default;

bool ParticleList::add(std::unique_ptr<Particle> particle)
{
    if (!particle || m_index.contains(particle->ID()))
        return false;
    const QString id = particle->ID();
    m_items.push_back(std::move(particle));
    m_index.insert(id, std::prev(m_items.end()));
    return true;
}

void ParticleList::remove(const QString &id)
{
    const auto found = m_index.find(id);
    if (found == m_index.end())
        return;
    std::unique_ptr<Particle> particle = std::move(*found.value());
    m_items.erase(found.value());
    m_index.erase(found);
    release(std::move(particle));
}

void ParticleList::clear()
{
    m_index.clear();
    while (!m_items.empty()) {
        std::unique_ptr<Particle> particle = std::move(m_items.front());
        m_items.pop_front();
        release(std::move(particle));
    }
    if (m_walks == 0)
        m_removed.clear();
}

Particle *ParticleList::item(const QString &id) const
{
    const auto found = m_index.constFind(id);
    return found == m_index.constEnd() ? nullptr : found.value()->get();
}

QStringList ParticleList::keys() const
{
    QStringList out;
    out.reserve(count());
    for (const auto &particle : m_items)
        out << particle->ID();
    return out;
}

void ParticleList::taskAll()
{
    const QStringList snapshot = keys();
    ++m_walks;
    for (const QString &id : snapshot) {
        Particle *particle = item(id);
        if (!particle)
            continue;
        try {
            particle->Task();
        } catch (const std::exception &) {
            // The object loses this frame; the others still get theirs.
        }
    }
    if (--m_walks == 0)
        m_removed.clear();
}

void ParticleList::release(std::unique_ptr<Particle> particle)
{
    // The object removed may be the one whose Task is on the stack (it
    // removes itself as its last step): it is destroyed later, at the end
    // of the walk or of the next one, or when the list is cleared or goes.
    m_removed.push_back(std::move(particle));
}

} // namespace moka
