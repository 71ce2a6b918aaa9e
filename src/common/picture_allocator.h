#pragma once

#include <cstddef>
#include <memory>

#include "common/large_pages.h"

namespace lv {

// The allocator of picture-sized buffers: blocks of 4 MB and more are marked for large pages
// before anything touches them (see PreferLargePages). A show allocates its pictures anew at
// every change, and faulting them in 4 KB at a time was most of a still picture show's CPU
// time. Otherwise the standard allocator.
template <class T>
struct PictureAllocator {
    using value_type = T;
    static constexpr size_t LargeBlockBytes = size_t{4} << 20;

    PictureAllocator() = default;
    template <class U>
    PictureAllocator(const PictureAllocator<U>&) noexcept {}

    T* allocate(size_t count) {
        T* block = std::allocator<T>().allocate(count);
        if (count >= LargeBlockBytes / sizeof(T)) PreferLargePages(block, count * sizeof(T));
        return block;
    }
    void deallocate(T* block, size_t count) noexcept {
        std::allocator<T>().deallocate(block, count);
    }

    template <class U>
    friend bool operator==(const PictureAllocator&, const PictureAllocator<U>&) noexcept {
        return true;
    }
};

}  // namespace lv
