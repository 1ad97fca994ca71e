#include "loadfile/hex_digits.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

std::string text_of(std::uint64_t digits)
{
    char text[8];
    std::memcpy(text, &digits, sizeof text);
    return {text, sizeof text};
}

std::string printed(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.8X", value);
    return text;
}

// Values where digits turn into letters, carry, or fill every nibble.
std::vector<std::uint32_t> probe_values()
{
    std::vector<std::uint32_t> values = {0,          9,          10,         15,         16,
                                         0x9999999A, 0xA0A0A0A0, 0x09090909, 0x7FFFFFFF, 0x80000000,
                                         0xFFFFFFFE, 0xFFFFFFFF, 0x12345678, 0xABCDEF01};
    std::mt19937 generator(1);
    for (int i = 0; i < 200000; ++i) {
        values.push_back(generator());
    }
    return values;
}

TEST(HexDigits, PortableDigitsMatchPrintf)
{
    for (std::uint32_t value : probe_values()) {
        ASSERT_EQ(text_of(hex_digits_portable(value)), printed(value)) << value;
    }
}

#ifdef BIN2LOAD_HAS_SSE2
TEST(HexDigits, VectorDigitsMatchPortableOnes)
{
    const std::vector<std::uint32_t> values = probe_values();
    for (std::size_t i = 0; i + 1 < values.size(); ++i) {
        const HexDigitPair vector = hex_digit_pair_sse2(values[i], values[i + 1]);
        const HexDigitPair portable = hex_digit_pair_portable(values[i], values[i + 1]);
        ASSERT_EQ(vector.first, portable.first) << values[i];
        ASSERT_EQ(vector.second, portable.second) << values[i + 1];
    }
}
#endif

struct DigitCountCase {
    std::uint32_t value;
    unsigned digits;
};

TEST(HexDigits, SignificantDigitsHaveNoLeadingZeros)
{
    for (const DigitCountCase c : {DigitCountCase{0, 1}, {1, 1}, {0xF, 1}, {0x10, 2}, {0xFFF, 3},
                                   {0x1000, 4}, {0xFFFFFF, 6}, {0x1000000, 7}, {0xFFFFFFFF, 8}}) {
        EXPECT_EQ(significant_hex_digits(c.value), c.digits) << c.value;
    }
}

}  // namespace
