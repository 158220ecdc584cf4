#include "decode_trie.h"

namespace qd::he3 {

bool DecodeTrie::insert_code_path(const CodeBits& bits, int length, std::uint8_t value) {
    int at = root;
    for (int k = 0; k < length; ++k) {
        std::int16_t& next = nodes_[static_cast<std::size_t>(at)].child[static_cast<std::size_t>(code_bit(bits, k))];
        if (next < 0) {
            if (used_ == node_store_size) return false;
            next = static_cast<std::int16_t>(used_++);
        }
        at = next;
    }
    nodes_[static_cast<std::size_t>(at)].value = value;
    return true;
}

}  // namespace qd::he3
