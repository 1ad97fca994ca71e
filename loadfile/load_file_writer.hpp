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
    // The longest line is 8 + 3 + 16 + 1 bytes; the address digits go out
    // eight at a time, which may touch bytes beyond the line.
    constexpr std::size_t record_room = 32;
    char* out = output.reserve(record_room);
    const unsigned address_digits = significant_hex_digits(word_address);
    if (word_width == 64) {
        const HexDigitPair digits = hex_digit_pair(static_cast<std::uint32_t>(value >> 32),
                                                   static_cast<std::uint32_t>(value));
        out = put_last_digits(out, hex_digit_pair(word_address, 0).first, address_digits);
        std::memcpy(out, "    ", 4);  // the value's first digit covers the fourth space
        out = put_digits(put_digits(out + 3, digits.first), digits.second);
    } else {
        const HexDigitPair digits =
            hex_digit_pair(word_address, static_cast<std::uint32_t>(value));
        out = put_last_digits(out, digits.first, address_digits);
        std::memcpy(out, "    ", 4);
        out = put_last_digits(out + 3, digits.second, word_width / 4);
    }
    *out++ = line_terminator[0];
    output.commit(out);
}
