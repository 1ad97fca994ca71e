#pragma once

#include <cstdint>

#include "loadfile/line_terminator.hpp"
#include "loadfile/output_buffer.hpp"
#include "loadfile/record_format.hpp"

// Word widths are 16, 32 or 64 bits.
constexpr unsigned word_size(unsigned word_width)
{
    return word_width / 8;
}

void write_header(OutputBuffer& output);

// One record line, formatted straight into the output's buffer. Defined here
// because it runs once per word and is nearly the whole cost of a run:
// inlined into the conversion loop, the width folds away.
inline void write_record(OutputBuffer& output, unsigned word_width, std::uint32_t word_address,
                         std::uint64_t value)
{
    char* out = output.reserve(record_room);
    output.commit(format_record(out, word_width, word_address, value));
}
