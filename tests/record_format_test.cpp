#include "loadfile/record_format.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Word {
    std::uint32_t address;
    std::uint64_t value;
};

// Edge values (letters, every digit count, all ones), then random ones.
std::vector<Word> probe_words(unsigned width)
{
    const std::uint64_t mask = width == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
    std::vector<Word> words = {{0, 0},
                               {9, 9},
                               {0xA, 0xA},
                               {0xF, 0xF},
                               {0x10, 0x10},
                               {0xFFFFFF, 0x9999999A},
                               {0x1000000, 0},
                               {0x7FFFFFFF, ~0u},
                               {0xFFFFFFFF, ~std::uint64_t{0}},
                               {0xABCDEF, 0x0123456789ABCDEF}};
    std::mt19937_64 generator(width);
    for (int i = 0; i < 100000; ++i) {
        const std::uint64_t bits = generator();
        // Short addresses as often as long ones.
        const auto address = static_cast<std::uint32_t>(bits >> (bits % 32));
        words.push_back({address, generator()});
    }
    for (Word& word : words) {
        word.value &= mask;
    }
    return words;
}

std::string printed(unsigned width, const Word& word)
{
    char line[40];
    if (width == 16) {
        std::snprintf(line, sizeof line, "%X   %.4X\n", word.address, unsigned(word.value));
    } else if (width == 32) {
        std::snprintf(line, sizeof line, "%X   %.8X\n", word.address, unsigned(word.value));
    } else {
        std::snprintf(line, sizeof line, "%X   %.8X%.8X\n", word.address,
                      unsigned(word.value >> 32), unsigned(word.value & 0xFFFFFFFF));
    }
    return line;
}

template <typename Format>
std::string formatted(Format format, unsigned width, const Word& word)
{
    char room[record_room];
    const char* end = format(room, width, word.address, word.value);
    return std::string(room, static_cast<std::size_t>(end - room));
}

class RecordFormat : public testing::TestWithParam<unsigned> {};

TEST_P(RecordFormat, PortableLinesMatchPrintf)
{
    for (const Word& word : probe_words(GetParam())) {
        ASSERT_EQ(formatted(format_record_portable, GetParam(), word), printed(GetParam(), word));
    }
}

#ifdef BIN2LOAD_HAS_SSE2
TEST_P(RecordFormat, VectorLinesMatchPortableOnes)
{
    for (const Word& word : probe_words(GetParam())) {
        ASSERT_EQ(formatted(format_record_sse2, GetParam(), word),
                  formatted(format_record_portable, GetParam(), word));
    }
}
#endif

INSTANTIATE_TEST_SUITE_P(Widths, RecordFormat, testing::Values(16u, 32u, 64u));

TEST(RecordFormat, SignificantDigitsHaveNoLeadingZeros)
{
    const std::pair<std::uint32_t, unsigned> cases[] = {
        {0, 1},      {1, 1},        {0xF, 1},       {0x10, 2},      {0xFFF, 3},
        {0x1000, 4}, {0xFFFFFF, 6}, {0x1000000, 7}, {0xFFFFFFFF, 8}};
    for (const auto& [value, digits] : cases) {
        EXPECT_EQ(significant_hex_digits(value), digits) << value;
    }
}

}  // namespace
