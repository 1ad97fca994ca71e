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
void PrintTo(const WidthCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class WordWidth : public testing::TestWithParam<WidthCase> {};

TEST_P(WordWidth, IsReadAsDecimalAndChecked)
{
    EXPECT_EQ(read_word_width(GetParam().text), GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(Table, WordWidth,
                         testing::Values(WidthCase{"16", 16}, WidthCase{"32", 32},
                                         WidthCase{"64", 64}, WidthCase{"32bit", 32},
                                         WidthCase{"+64", 64}, WidthCase{" 16", 16},
                                         WidthCase{"\t\n32", 32}, WidthCase{"064", 64},
                                         WidthCase{"0x20", std::nullopt},
                                         WidthCase{"-16", std::nullopt},
                                         WidthCase{"8", std::nullopt},
                                         WidthCase{"48", std::nullopt},
                                         WidthCase{"abc", std::nullopt},
                                         WidthCase{"", std::nullopt},
                                         WidthCase{"+", std::nullopt},
                                         WidthCase{"- 16", std::nullopt},
                                         WidthCase{"16 ", 16},
                                         // Must not wrap around to 32 or 16.
                                         WidthCase{"4294967328", std::nullopt},
                                         WidthCase{"4294967312", std::nullopt},
                                         WidthCase{"-4294967264", std::nullopt},
                                         WidthCase{"99999999999999999999", std::nullopt},
                                         WidthCase{"18446744073709551648", std::nullopt}));

struct AddressCase {
    const char* text;
    std::optional<std::uint32_t> address;
};

void PrintTo(const AddressCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class StartAddress : public testing::TestWithParam<AddressCase> {};

TEST_P(StartAddress, IsReadAsHexModulo2To32)
{
    EXPECT_EQ(read_start_address(GetParam().text), GetParam().address)
       ;
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartAddress,
    testing::Values(AddressCase{"100", 0x100}, AddressCase{"0x100", 0x100},
                    AddressCase{"0X100", 0x100}, AddressCase{"100zz", 0x100},
                    AddressCase{"0", 0}, AddressCase{"00", 0}, AddressCase{"0x0", 0},
                    AddressCase{"aBcDeF", 0xABCDEF}, AddressCase{"  +ff", 0xFF},
                    AddressCase{"-1", 0xFFFFFFFF}, AddressCase{"-0x10", 0xFFFFFFF0},
                    AddressCase{"FFFFFFFF", 0xFFFFFFFF}, AddressCase{"123456789", 0x23456789},
                    AddressCase{"0x123456789abcdef01", 0xABCDEF01},
                    AddressCase{"zz", std::nullopt}, AddressCase{"0x", std::nullopt},
                    AddressCase{"0xg", std::nullopt}, AddressCase{"", std::nullopt},
                    AddressCase{"-", std::nullopt}, AddressCase{"x10", std::nullopt}));

}  // namespace
