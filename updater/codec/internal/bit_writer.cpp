#include "bit_writer.h"

#include <algorithm>

namespace qd::he3 {

void BitWriter::put_long(const CodeBits& bits, unsigned count) {
    // In pieces of 32 bits; a piece never straddles two words of the code.
    for (unsigned start = 0; start < count; start += 32) {
        unsigned piece = std::min(32u, count - start);
        std::uint64_t chunk = bits[start / 64] >> (start % 64);
        put(chunk & ((std::uint64_t{1} << piece) - 1), piece);
    }
}

}  // namespace qd::he3
