#pragma once

#include <cstdint>

#include "loadfile/output_buffer.hpp"

// Ends every line of the load file and every message that has a variable part.
inline constexpr char line_terminator[] = "\n";

// Word widths are 16, 32 or 64 bits.
constexpr unsigned word_size(unsigned word_width) { return word_width / 8; }

void write_header(OutputBuffer& output);

// One record line: the word address in hex without leading zeros, three
// spaces, then the value zero-filled to the width's digit count (4, 8 or 16).
void write_record(OutputBuffer& output, unsigned word_width, std::uint32_t word_address,
                  std::uint64_t value);
