#pragma once
// The decoder written the plain way, one bit and one tree node at a time, as
// the format describes it. The fast decoder must agree with it on every input.
#include <optional>

#include "stream_builder.h"

namespace qd::testing {

// No value where the codec must fail with the decode error. Without
// check_sum, a wrong checksum is let through.
std::optional<Bytes> reference_decode(const Bytes& stream, bool check_sum = true);

}  // namespace qd::testing
