// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/MemoryPages.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>

namespace moka {

namespace {

#ifdef MADV_POPULATE_WRITE
constexpr int kPopulateWrite = MADV_POPULATE_WRITE;
#else
constexpr int kPopulateWrite = 23; // Linux 5.14's number, for older headers
#endif

} // namespace

void MemoryPages::preferLarge(void *memory, std::size_t bytes) { madvise(memory, bytes, MADV_HUGEPAGE); }

void MemoryPages::mapNow(void *memory, std::size_t bytes) { madvise(memory, bytes, kPopulateWrite); }

QImage MemoryPages::largeCopy(const QImage &image)
{
    const auto bytes = static_cast<std::size_t>(image.sizeInBytes());
    if (bytes < 2 * largePage)
        return image.copy();
    const std::size_t rounded = (bytes + largePage - 1) / largePage * largePage;
    void *memory = std::aligned_alloc(largePage, rounded);
    if (!memory)
        return image.copy();
    preferLarge(memory, rounded);
    mapNow(memory, rounded);
    std::memcpy(memory, image.constBits(), bytes);
    return QImage(
        static_cast<uchar *>(memory), image.width(), image.height(), image.bytesPerLine(), image.format(),
        [](void *m) { std::free(m); }, memory);
}

} // namespace moka
