#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// Uppercase hex digits, eight at a time: every record line is mostly digits,
// so these run for every word of the image and are kept branch-free.

constexpr std::uint64_t reverse_bytes(std::uint64_t x)
{
    x = (x & 0x00FF00FF00FF00FF) << 8 | ((x >> 8) & 0x00FF00FF00FF00FF);
    x = (x & 0x0000FFFF0000FFFF) << 16 | ((x >> 16) & 0x0000FFFF0000FFFF);
    return x << 32 | x >> 32;
}

// The eight digits of `value` as one 64-bit word which, stored to memory,
// reads most significant digit first. All eight nibbles are converted at once.
constexpr std::uint64_t hex_digits(std::uint32_t value)
{
    std::uint64_t x = value;
    x = (x | x << 16) & 0x0000FFFF0000FFFF;
    x = (x | x << 8) & 0x00FF00FF00FF00FF;
    x = (x | x << 4) & 0x0F0F0F0F0F0F0F0F;  // byte k holds nibble k
    const std::uint64_t is_letter = ((x + 0x0606060606060606) >> 4) & 0x0101010101010101;
    x += 0x3030303030303030 + is_letter * ('A' - '9' - 1);
    if constexpr (std::endian::native == std::endian::little) {
        return reverse_bytes(x);
    } else {
        return x;
    }
}

// How many digits `value` needs without leading zeros: at least one.
constexpr unsigned significant_hex_digits(std::uint32_t value)
{
    return (static_cast<unsigned>(std::bit_width(value | 1)) + 3) / 4;
}

// Stores all eight digits of `value` at `out`; returns their end.
inline char* put_hex_digits(char* out, std::uint32_t value)
{
    const std::uint64_t digits = hex_digits(value);
    std::memcpy(out, &digits, sizeof digits);
    return out + sizeof digits;
}

// Stores the last `count` (1 to 8) digits of `value` at `out` and returns
// their end. It writes eight bytes all the same: the caller must have room
// for them, and what lies past the end is left for the next text to cover.
inline char* put_last_hex_digits(char* out, std::uint32_t value, unsigned count)
{
    std::uint64_t digits = hex_digits(value);
    const unsigned unwanted_bits = 8 * (8 - count);
    if constexpr (std::endian::native == std::endian::little) {
        digits >>= unwanted_bits;
    } else {
        digits <<= unwanted_bits;
    }
    std::memcpy(out, &digits, sizeof digits);
    return out + count;
}
