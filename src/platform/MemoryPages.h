// SPDX-FileCopyrightText: 2026 mokaRUNs developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

#include <cstddef>

namespace moka {

// Advice to the kernel on large blocks of pixels, written once for every
// picture that needs it.
class MemoryPages
{
public:
    // Lets the kernel back `bytes` at `memory` with large pages: a
    // screen-sized picture is then taken into use with a handful of page
    // faults instead of thousands (8,100 for one of 3840 × 2160).
    static void preferLarge(void *memory, std::size_t bytes);
    // Maps the pages of `bytes` at `memory` in one go rather than one fault
    // at a time as the pixels are first touched (a no-op on kernels before
    // 5.14).
    static void mapNow(void *memory, std::size_t bytes);
    // A copy of `image` in memory that the kernel may back with large pages,
    // mapped at once; a plain copy where the image is smaller than two of
    // them or the memory cannot be had.
    static QImage largeCopy(const QImage &image);
    // The size of a large page, to which such blocks are aligned.
    static constexpr std::size_t largePage = std::size_t(2) << 20;
};

} // namespace moka
