#include "common/large_pages.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace lv {

void PreferLargePages([[maybe_unused]] void* data, [[maybe_unused]] size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // Huge pages cover aligned 2 MB stretches, so only the aligned inside of the block is
    // marked. The advice fails harmlessly where they are turned off.
    constexpr uintptr_t HugePage = uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<uintptr_t>(data);
    const uintptr_t first = (begin + HugePage - 1) & ~(HugePage - 1);
    const uintptr_t last = (begin + bytes) & ~(HugePage - 1);
    if (first < last) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}

}  // namespace lv
