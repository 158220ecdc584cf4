#pragma once
// Packs codes into bytes, lowest bit first. Up to 63 pending bits wait in a
// 64-bit word; whole bytes leave it eight at a time with one unaligned store,
// so the destination needs 8 bytes of room past the last byte written.
#include <cstdint>
#include <cstring>

#include "he3_format.h"

namespace qd::he3 {

class BitWriter {
public:
    // Longest code that add() takes after a flush.
    static constexpr unsigned max_short_code = 56;

    // Starts `phase` bits into the first byte, whose bits below it are written as 0.
    explicit BitWriter(std::uint8_t* out, unsigned phase = 0) : out_(out), filled_(phase) {}

    // Where the next whole byte goes.
    std::uint8_t* position() const { return out_; }
    // Goes on at `out`; the pending bits belong to its first byte.
    void move_to(std::uint8_t* out) { out_ = out; }

    // Appends without flushing: the pending bits plus count must stay below 64.
    void add(std::uint64_t bits, unsigned count) {
        pending_ |= bits << filled_;
        filled_ += count;
    }

    // Moves the whole pending bytes out; at most 7 bits stay pending.
    void flush() {
        std::memcpy(out_, &pending_, sizeof pending_);
        out_ += filled_ >> 3;
        pending_ = (filled_ & 56) == 0 ? pending_ : pending_ >> (filled_ & 56);
        filled_ &= 7;
    }

    void put(std::uint64_t bits, unsigned count) {
        add(bits, count);
        flush();
    }

    // Any code of up to 256 bits.
    void put_long(const CodeBits& bits, unsigned count);

    // Writes the partly filled last byte, its high bits zero; returns the end.
    std::uint8_t* finish() {
        flush();
        if (filled_ > 0) *out_++ = static_cast<std::uint8_t>(pending_);
        pending_ = 0;
        filled_ = 0;
        return out_;
    }

private:
    std::uint8_t* out_;
    std::uint64_t pending_ = 0;
    unsigned filled_ = 0;
};

}  // namespace qd::he3
