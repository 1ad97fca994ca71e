#pragma once

// Spells one record line into memory: the word address in uppercase hex
// without leading zeros, three spaces, the value zero-filled to 4, 8 or 16
// digits, the line terminator. This runs for every word of the image, so it
// is branch-free and stores whole words; where SSE2 is there (every x86-64)
// the digits come from one vector register, elsewhere from a small table.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "loadfile/line_terminator.hpp"

#if defined(__SSE2__) && !defined(BIN2LOAD_PORTABLE)
#include <emmintrin.h>
#define BIN2LOAD_HAS_SSE2 1
#endif

// Room a record needs at `out`: the longest line is 8 + 3 + 16 + 1 bytes, and
// digits go out in whole words, which may touch a few bytes past the line.
inline constexpr std::size_t record_room = 32;

// How many digits `value` needs without leading zeros: at least one.
constexpr unsigned significant_hex_digits(std::uint32_t value)
{
    return 8 - static_cast<unsigned>(std::countl_zero(value | 1)) / 4;
}

// Records end with the terminator's one byte.
static_assert(sizeof line_terminator == 2);

// Eight digits are held in one 64-bit word laid out so that, stored to
// memory, it reads most significant digit first.

// Stores the last `count` (1 to 8) of the eight digits at `out` and returns
// their end. It stores all eight bytes: what lies past the end is left for
// the rest of the line to cover.
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

// The eight digits of `value`, a byte's two digits at a time.
inline std::uint64_t hex_digits(std::uint32_t value)
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

inline char* format_record_portable(char* out, unsigned word_width, std::uint32_t word_address,
                                    std::uint64_t value)
{
    out = put_last_digits(out, hex_digits(word_address), significant_hex_digits(word_address));
    std::memcpy(out, "    ", 4);  // one store; the value's first digit covers the fourth
    out += 3;
    const auto low = static_cast<std::uint32_t>(value);
    switch (word_width) {
    case 16:
        out = put_last_digits(out, hex_digits(low), 4);
        break;
    case 32:
        out = put_last_digits(out, hex_digits(low), 8);
        break;
    default:
        out = put_last_digits(out, hex_digits(static_cast<std::uint32_t>(value >> 32)), 8);
        out = put_last_digits(out, hex_digits(low), 8);
        break;
    }
    *out = line_terminator[0];
    return out + 1;
}

#ifdef BIN2LOAD_HAS_SSE2
// The sixteen digits of two numbers, `first` in bytes 0 to 7 and `second` in
// bytes 8 to 15, each most significant first: every nibble is spread into a
// byte of its own and turned into its digit at once.
inline __m128i hex_digits_sse2(std::uint32_t first, std::uint32_t second)
{
    // x86 is little-endian: reversed, the bytes lie most significant first.
    const std::uint64_t bytes_in_order = __builtin_bswap64(std::uint64_t{first} << 32 | second);
    const __m128i bytes = _mm_cvtsi64_si128(static_cast<long long>(bytes_in_order));
    const __m128i nibble_mask = _mm_set1_epi8(0x0F);
    const __m128i high = _mm_and_si128(_mm_srli_epi16(bytes, 4), nibble_mask);
    const __m128i low = _mm_and_si128(bytes, nibble_mask);
    const __m128i nibbles = _mm_unpacklo_epi8(high, low);
    const __m128i letters =
        _mm_and_si128(_mm_cmpgt_epi8(nibbles, _mm_set1_epi8(9)), _mm_set1_epi8('A' - '9' - 1));
    return _mm_add_epi8(_mm_add_epi8(nibbles, _mm_set1_epi8('0')), letters);
}

inline std::uint64_t low_half(__m128i digits)
{
    return static_cast<std::uint64_t>(_mm_cvtsi128_si64(digits));
}

inline char* format_record_sse2(char* out, unsigned word_width, std::uint32_t word_address,
                                std::uint64_t value)
{
    const unsigned address_digits = significant_hex_digits(word_address);
    const char terminator = line_terminator[0];
    if (word_width == 64) {
        const __m128i digits = hex_digits_sse2(static_cast<std::uint32_t>(value >> 32),
                                               static_cast<std::uint32_t>(value));
        out = put_last_digits(out, low_half(hex_digits_sse2(word_address, 0)), address_digits);
        std::memcpy(out, "    ", 4);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3), digits);
        out[19] = terminator;
        return out + 20;
    }
    // Address and value share one conversion; the rest of the line (three
    // spaces, the value's last 4 or 8 digits, the terminator) is moved into
    // place in the register and goes out in one store.
    const __m128i digits = hex_digits_sse2(word_address, static_cast<std::uint32_t>(value));
    out = put_last_digits(out, low_half(digits), address_digits);
    const __m128i not_spaces =
        _mm_setr_epi8(0, 0, 0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    __m128i rest;
    if (word_width == 16) {
        const __m128i frame =
            _mm_setr_epi8(' ', ' ', ' ', 0, 0, 0, 0, terminator, 0, 0, 0, 0, 0, 0, 0, 0);
        rest = _mm_or_si128(_mm_and_si128(_mm_srli_si128(digits, 9), not_spaces), frame);
    } else {
        const __m128i frame =
            _mm_setr_epi8(' ', ' ', ' ', 0, 0, 0, 0, 0, 0, 0, 0, terminator, 0, 0, 0, 0);
        rest = _mm_or_si128(_mm_and_si128(_mm_srli_si128(digits, 5), not_spaces), frame);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), rest);
    return out + 3 + word_width / 4 + 1;
}
#endif

// Writes the record line at `out`, which has `record_room` bytes of room, and
// returns the end of the line.
inline char* format_record(char* out, unsigned word_width, std::uint32_t word_address,
                           std::uint64_t value)
{
#ifdef BIN2LOAD_HAS_SSE2
    return format_record_sse2(out, word_width, word_address, value);
#else
    return format_record_portable(out, word_width, word_address, value);
#endif
}
