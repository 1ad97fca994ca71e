#pragma once

#include <cstdint>

#include "loadfile/hex_digits.hpp"
#include "loadfile/output_buffer.hpp"

// Ends every line of the load file and every message that has a variable part.
inline constexpr char line_terminator[] = "\n";

// Word widths are 16, 32 or 64 bits.
constexpr unsigned word_size(unsigned word_width) { return word_width / 8; }

void write_header(OutputBuffer& output);

// One record line: the word address in hex without leading zeros, three
// spaces, then the value zero-filled to the width's digit count (4, 8 or 16).
// Defined here because it runs once per word and is nearly the whole cost of
// a run: inlined into the conversion loop, the width folds away.
inline void write_record(OutputBuffer& output, unsigned word_width, std::uint32_t word_address,
                         std::uint64_t value)
{
    // The longest line is 8 + 3 + 16 + 1 bytes; digits go out eight at a time,
    // which may touch up to 4 bytes beyond it.
    constexpr std::size_t record_room = 32;
    char* out = output.reserve(record_room);
    out = put_last_hex_digits(out, word_address, significant_hex_digits(word_address));
    std::memcpy(out, "   ", 3);
    out += 3;
    switch (word_width) {
    case 16:
        out = put_last_hex_digits(out, static_cast<std::uint32_t>(value), 4);
        break;
    case 32:
        out = put_hex_digits(out, static_cast<std::uint32_t>(value));
        break;
    default:
        out = put_hex_digits(out, static_cast<std::uint32_t>(value >> 32));
        out = put_hex_digits(out, static_cast<std::uint32_t>(value));
        break;
    }
    *out++ = line_terminator[0];
    output.commit(out);
}
