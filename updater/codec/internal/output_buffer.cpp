#include "output_buffer.h"

#include <sys/mman.h>

namespace qd::he3 {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kWorthIt = std::size_t{8} << 20;

}  // namespace

std::vector<std::uint8_t> output_buffer(std::size_t size) {
    std::vector<std::uint8_t> buffer;
    buffer.reserve(size);  // not touched yet, so the advice below still decides its pages
#ifdef MADV_HUGEPAGE
    if (size >= kWorthIt) {
        const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
        const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
        const std::uintptr_t last = (begin + size) & ~(kHugePage - 1);
        if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);  // advice only
    }
#endif
    buffer.resize(size);
    return buffer;
}

}  // namespace qd::he3
