#include "effects/surface/pixel_kernels.h"

namespace lv::kernels {

const char* KernelSetName(KernelSet set) {
    switch (set) {
        case KernelSet::Plain:
            return "plain";
        case KernelSet::Scalar:
            return "scalar";
        case KernelSet::Sse2:
            return "sse2";
        case KernelSet::Avx2:
            return "avx2";
    }
    return "?";
}

const std::vector<KernelSet>& AvailableKernelSets() {
    static const std::vector<KernelSet> sets = [] {
        std::vector<KernelSet> found = {KernelSet::Plain, KernelSet::Scalar};
#if defined(__x86_64__) || defined(__i386__)
        __builtin_cpu_init();
        if (__builtin_cpu_supports("sse2")) found.push_back(KernelSet::Sse2);
        if (__builtin_cpu_supports("avx2")) found.push_back(KernelSet::Avx2);
#endif
        return found;
    }();
    return sets;
}

KernelSet BestKernelSet() {
    static const KernelSet best = AvailableKernelSets().back();
    return best;
}

}  // namespace lv::kernels
