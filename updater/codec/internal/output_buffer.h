#pragma once
// Result arrays of the codec. Large results are backed by huge pages where the
// system offers them, so writing a 64 MiB result costs a few dozen page faults
// instead of sixteen thousand; the contents are zero, as a fresh array's are.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qd::he3 {

std::vector<std::uint8_t> output_buffer(std::size_t size);

}  // namespace qd::he3
