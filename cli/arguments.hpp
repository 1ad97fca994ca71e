#pragma once

#include <cstdint>
#include <optional>

// Reads the word width: leading white space, an optional sign, decimal
// digits; anything after the digits is ignored. Only 16, 32 and 64 are
// accepted, and a number too large for a 32-bit int is refused rather than
// wrapped.
std::optional<unsigned> read_word_width(const char* text);

// Reads the start address: leading white space, an optional sign (minus
// negates modulo 2^32), an optional 0x or 0X, then hex digits in either case
// up to the first other character. Only the last eight digits count. Empty
// when no hex digit follows.
std::optional<std::uint32_t> read_start_address(const char* text);
