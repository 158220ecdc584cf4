#pragma once
// The decoder's code tree, grown one code at a time from the root in a store
// of 512 nodes. Codes need not be prefix-free: a value set on an inner node
// ends every walk that reaches it, and a code given twice keeps its last value.
#include <array>
#include <cstdint>

#include "he3_format.h"

namespace qd::he3 {

struct TrieNode {
    std::array<std::int16_t, 2> child{-1, -1};  // the branch taken on bit 0 and on bit 1
    std::int16_t value = -1;                    // -1 while no code ends here
};

class DecodeTrie {
public:
    static constexpr int root = 0;

    // Follows the code from the root, creating the missing nodes, and sets the
    // value of the node reached. False when the node store runs out.
    bool insert_code_path(const CodeBits& bits, int length, std::uint8_t value);

    const TrieNode& node(int index) const { return nodes_[static_cast<std::size_t>(index)]; }

private:
    std::array<TrieNode, node_store_size> nodes_{};
    int used_ = 1;
};

}  // namespace qd::he3
