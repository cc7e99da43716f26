#include "platform/MemoryPages.h"

#include <sys/mman.h>

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

} // namespace moka
