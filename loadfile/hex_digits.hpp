#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) && !defined(BIN2LOAD_PORTABLE)
#include <emmintrin.h>
#define BIN2LOAD_HAS_SSE2 1
#endif

// Uppercase hex digits, branch-free: every record line is mostly digits, so
// this runs for every word of the image. Eight digits are held in one 64-bit
// word laid out so that, stored to memory, it reads most significant first.

// How many digits `value` needs without leading zeros: at least one.
constexpr unsigned significant_hex_digits(std::uint32_t value)
{
    return (static_cast<unsigned>(std::bit_width(value | 1)) + 3) / 4;
}

// The digits of two numbers at once, as they are needed for one record.
struct HexDigitPair {
    std::uint64_t first;
    std::uint64_t second;
};

// The two digits of every byte, laid out in memory order.
inline constexpr std::array<std::uint16_t, 256> hex_byte_digits = [] {
    constexpr char digits[] = "0123456789ABCDEF";
    std::array<std::uint16_t, 256> table{};
    for (unsigned byte = 0; byte < table.size(); ++byte) {
        const unsigned first = static_cast<unsigned char>(digits[byte >> 4]);
        const unsigned second = static_cast<unsigned char>(digits[byte & 0xF]);
        table[byte] = static_cast<std::uint16_t>(
            std::endian::native == std::endian::little ? second << 8 | first : first << 8 | second);
    }
    return table;
}();

inline std::uint64_t hex_digits_portable(std::uint32_t value)
{
    std::uint64_t digits = 0;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const std::uint64_t pair = hex_byte_digits[(value >> shift) & 0xFF];
        if constexpr (std::endian::native == std::endian::little) {
            digits = digits >> 16 | pair << 48;
        } else {
            digits = digits << 16 | pair;
        }
    }
    return digits;
}

inline HexDigitPair hex_digit_pair_portable(std::uint32_t first, std::uint32_t second)
{
    return {hex_digits_portable(first), hex_digits_portable(second)};
}

#ifdef BIN2LOAD_HAS_SSE2
// The same from the sixteen nibbles spread over one vector register: a
// handful of instructions and no table to wait on.
inline HexDigitPair hex_digit_pair_sse2(std::uint32_t first, std::uint32_t second)
{
    // Both numbers' bytes, most significant first (x86 is little-endian).
    const std::uint64_t bytes_in_order = __builtin_bswap64(std::uint64_t{first} << 32 | second);
    const __m128i bytes = _mm_cvtsi64_si128(static_cast<long long>(bytes_in_order));
    const __m128i nibble_mask = _mm_set1_epi8(0x0F);
    const __m128i high = _mm_and_si128(_mm_srli_epi16(bytes, 4), nibble_mask);
    const __m128i low = _mm_and_si128(bytes, nibble_mask);
    const __m128i nibbles = _mm_unpacklo_epi8(high, low);
    const __m128i letters =
        _mm_and_si128(_mm_cmpgt_epi8(nibbles, _mm_set1_epi8(9)), _mm_set1_epi8('A' - '9' - 1));
    const __m128i digits = _mm_add_epi8(_mm_add_epi8(nibbles, _mm_set1_epi8('0')), letters);
    return {static_cast<std::uint64_t>(_mm_cvtsi128_si64(digits)),
            static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(digits, digits)))};
}
#endif

inline HexDigitPair hex_digit_pair(std::uint32_t first, std::uint32_t second)
{
#ifdef BIN2LOAD_HAS_SSE2
    return hex_digit_pair_sse2(first, second);
#else
    return hex_digit_pair_portable(first, second);
#endif
}

// Stores the eight digits at `out`; returns their end.
inline char* put_digits(char* out, std::uint64_t digits)
{
    std::memcpy(out, &digits, sizeof digits);
    return out + sizeof digits;
}

// Stores the last `count` (1 to 8) of the eight digits at `out` and returns
// their end. It writes eight bytes all the same: the caller must have room
// for them, and what lies past the end is left for the next text to cover.
inline char* put_last_digits(char* out, std::uint64_t digits, unsigned count)
{
    const unsigned unwanted_bits = 8 * (8 - count);
    if constexpr (std::endian::native == std::endian::little) {
        digits >>= unwanted_bits;
    } else {
        digits <<= unwanted_bits;
    }
    std::memcpy(out, &digits, sizeof digits);
    return out + count;
}
