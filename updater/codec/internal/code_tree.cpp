#include "code_tree.h"

#include <cstddef>

namespace qd::he3 {

namespace {

struct HuffmanNode {
    std::int16_t parent = -1;
    std::int16_t child0 = -1;
    std::int16_t child1 = -1;
    std::int16_t value = -1;  // the byte value of a leaf, -1 for an inner node
    std::uint32_t weight = 0;
};

struct NodeStore {
    std::array<HuffmanNode, node_store_size> nodes;
    int used = 0;
};

// One merge: the two parentless nodes chosen by the format's rule. Comparisons
// are strict, so among equal weights the node found first keeps its place;
// the stream bytes depend on this exact order.
void merge_two(NodeStore& store) {
    int a = -1;
    int b = -1;
    for (int i = 0; i < store.used; ++i) {
        if (store.nodes[i].parent != -1) continue;
        if (a == -1) {
            a = i;
            continue;
        }
        if (b == -1) {
            b = i;
            continue;
        }
        std::uint32_t w = store.nodes[i].weight;
        std::uint32_t wa = store.nodes[a].weight;
        std::uint32_t wb = store.nodes[b].weight;
        bool below_a = w < wa;
        bool below_b = w < wb;
        if (below_a && below_b) {
            if (wa >= wb) a = i;
            else b = i;
        } else if (below_a) {
            a = i;
        } else if (below_b) {
            b = i;
        }
    }
    auto joined = static_cast<std::int16_t>(store.used++);
    HuffmanNode& node = store.nodes[joined];
    node = HuffmanNode{};
    node.weight = store.nodes[a].weight + store.nodes[b].weight;
    node.child0 = static_cast<std::int16_t>(a);
    node.child1 = static_cast<std::int16_t>(b);
    store.nodes[a].parent = joined;
    store.nodes[b].parent = joined;
}

// Depth first from the root, child0 before child1; each leaf's path is its code.
void assign_codes(const NodeStore& store, int index, CodeBits path, int depth, CodeBook& book) {
    const HuffmanNode& node = store.nodes[index];
    if (node.value >= 0) {
        book.length[node.value] = static_cast<std::uint8_t>(depth);
        book.bits[node.value] = path;
        return;
    }
    assign_codes(store, node.child0, path, depth + 1, book);
    path[static_cast<std::size_t>(depth) / 64] |= std::uint64_t{1} << (depth % 64);
    assign_codes(store, node.child1, path, depth + 1, book);
}

}  // namespace

CodeBook build_code_book(const ByteCounts& counts) {
    NodeStore store;
    for (int value = 0; value < 256; ++value) {
        if (counts[value] == 0) continue;
        HuffmanNode& leaf = store.nodes[store.used++];
        leaf = HuffmanNode{};
        leaf.value = static_cast<std::int16_t>(value);
        leaf.weight = counts[value];
    }
    CodeBook book;
    if (store.used == 0) return book;
    int leaves = store.used;
    for (int merge = 1; merge < leaves; ++merge) merge_two(store);
    // With at most 256 leaves the tree is at most 255 deep, so paths fit CodeBits.
    assign_codes(store, store.used - 1, CodeBits{}, 0, book);
    return book;
}

}  // namespace qd::he3
