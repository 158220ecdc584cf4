#include "decode_table.h"

namespace qd::he3 {

namespace {

// The same walk as the bit-by-bit decoder, over the bits of one index.
std::uint32_t entry_for(const DecodeTrie& trie, unsigned index) {
    std::uint32_t bytes = 0;
    unsigned count = 0;
    unsigned bits_used = 0;
    int at = DecodeTrie::root;
    for (unsigned k = 0; k < lookup_bits && count < 3; ++k) {
        int next = trie.node(at).child[(index >> k) & 1];
        if (next < 0) break;
        if (trie.node(next).value >= 0) {
            bytes |= static_cast<std::uint32_t>(trie.node(next).value) << (8 + 8 * count);
            ++count;
            bits_used = k + 1;
            at = DecodeTrie::root;
        } else {
            at = next;
            if (k + 1 == lookup_bits && count == 0) return long_code_flag | (static_cast<std::uint32_t>(at) << 8);
        }
    }
    if (count == 0) return 0;
    return bytes | bits_used | (count << 6);
}

}  // namespace

void build_decode_table(const DecodeTrie& trie, DecodeTable& table) {
    for (unsigned index = 0; index < table.size(); ++index) table[index] = entry_for(trie, index);
}

}  // namespace qd::he3
