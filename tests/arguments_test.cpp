#include "cli/arguments.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>

namespace {

struct WidthCase {
    const char* text;
    std::optional<unsigned> width;
};

// Names each case after its text in the test list.
void PrintTo(const WidthCase& c, std::ostream* out)
{
    *out << '"' << c.text << '"';
}

class WordWidth : public testing::TestWithParam<WidthCase> {};

TEST_P(WordWidth, IsReadAsDecimalAndChecked)
{
    EXPECT_EQ(read_word_width(GetParam().text), GetParam().width);
}

const WidthCase width_cases[] = {
    {"16", 16},
    {"32", 32},
    {"64", 64},
    {"32bit", 32},
    {"+64", 64},
    {" 16", 16},
    {"\t\n32", 32},
    {"064", 64},
    {"0x20", std::nullopt},
    {"-16", std::nullopt},
    {"8", std::nullopt},
    {"48", std::nullopt},
    {"abc", std::nullopt},
    {"", std::nullopt},
    {"+", std::nullopt},
    {"- 16", std::nullopt},
    {"16 ", 16},
    // Must not wrap around to 32 or 16.
    {"4294967328", std::nullopt},
    {"4294967312", std::nullopt},
    {"-4294967264", std::nullopt},
    {"99999999999999999999", std::nullopt},
    {"18446744073709551648", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Table, WordWidth, testing::ValuesIn(width_cases));

struct AddressCase {
    const char* text;
    std::optional<std::uint32_t> address;
};

void PrintTo(const AddressCase& c, std::ostream* out)
{
    *out << '"' << c.text << '"';
}

class StartAddress : public testing::TestWithParam<AddressCase> {};

TEST_P(StartAddress, IsReadAsHexModulo2To32)
{
    EXPECT_EQ(read_start_address(GetParam().text), GetParam().address);
}

const AddressCase address_cases[] = {
    {"100", 0x100},
    {"0x100", 0x100},
    {"0X100", 0x100},
    {"100zz", 0x100},
    {"0", 0},
    {"00", 0},
    {"0x0", 0},
    {"aBcDeF", 0xABCDEF},
    {"  +ff", 0xFF},
    {"-1", 0xFFFFFFFF},
    {"-0x10", 0xFFFFFFF0},
    {"FFFFFFFF", 0xFFFFFFFF},
    {"123456789", 0x23456789},
    {"0x123456789abcdef01", 0xABCDEF01},
    {"zz", std::nullopt},
    {"0x", std::nullopt},
    {"0xg", std::nullopt},
    {"", std::nullopt},
    {"-", std::nullopt},
    {"x10", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Table, StartAddress, testing::ValuesIn(address_cases));

}  // namespace
