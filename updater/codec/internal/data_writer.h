#pragma once
// The encoder's last pass: the codes of the input's bytes, packed from a fresh
// byte. A large input is coded in two halves at once, the second on another
// thread from the bit where the first half's codes end.
#include <cstdint>
#include <span>

#include "byte_census.h"
#include "code_tree.h"
#include "progress_meter.h"

namespace qd::he3 {

// Writes the data bits at out, which has 8 bytes of room past them. Progress
// runs from 12 to 100 % through the pass, without the closing 100.
void write_data_bits(std::span<const std::uint8_t> input, const CodeBook& book, const Census& census, std::uint8_t* out,
                     ProgressMeter& progress);

}  // namespace qd::he3
