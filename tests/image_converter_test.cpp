#include "loadfile/image_converter.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "test_support.hpp"

namespace {

using test_support::five_bytes;
using test_support::header;

struct Converted {
    ConversionResult result;
    std::string text;
};

Converted convert(const std::string& image, unsigned width, std::uint32_t start_address)
{
    std::FILE* input = std::tmpfile();
    std::fwrite(image.data(), 1, image.size(), input);
    std::rewind(input);
    Converted converted{};
    converted.text = test_support::written_text([&](OutputBuffer& output) {
        converted.result = convert_image(input, output, width, start_address);
    });
    std::fclose(input);
    return converted;
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

struct ExampleCase {
    std::string image;
    unsigned width;
    std::uint32_t start_address;
    std::string load_file;
};

void PrintTo(const ExampleCase& c, std::ostream* out)
{
    *out << c.image.size() << " bytes at width " << c.width << " from " << std::hex
         << c.start_address;
}

class Conversion : public testing::TestWithParam<ExampleCase> {};

TEST_P(Conversion, WritesTheExpectedLoadFile)
{
    const ExampleCase& c = GetParam();
    const Converted converted = convert(c.image, c.width, c.start_address);
    EXPECT_EQ(converted.result, ConversionResult::Completed);
    EXPECT_EQ(converted.text, c.load_file);
}

const ExampleCase worked_examples[] = {
    {five_bytes, 16, 0, header + "0   0201\n1   0403\n2   0005\n"},
    {five_bytes, 32, 0, header + "0   04030201\n1   00000005\n"},
    {five_bytes, 64, 0, header + "0   0102030405000000\n"},
    {five_bytes, 32, 0x100, "40   04030201\n41   00000005\n"},
    {five_bytes, 16, 0x3, "1   0201\n2   0403\n3   0005\n"},
};

INSTANTIATE_TEST_SUITE_P(WorkedExamples, Conversion, testing::ValuesIn(worked_examples));

const ExampleCase edge_cases[] = {
    {"", 32, 0, header},
    {"", 64, 0x10, ""},
    // Whole words are not padded.
    {"\x01\x02\x03\x04", 32, 0, header + "0   04030201\n"},
    {std::string("\x00\x00", 2), 16, 1, "0   0000\n"},
    {"\x01\x02\x03\x04\x05\x06\x07\x08", 64, 8, "1   0102030405060708\n"},
    // Word addresses wrap through zero.
    {"\x01\x02\x03\x04\x05\x06\x07\x08", 32, 0xFFFFFFFC, "3FFFFFFF   04030201\n0   08070605\n"},
    {"\xFF\xFE", 16, 0xFFFFFFFF, "7FFFFFFF   FEFF\n"},
};

INSTANTIATE_TEST_SUITE_P(EdgeCases, Conversion, testing::ValuesIn(edge_cases));

// An image whose 16-bit words count up, so every record says where it came from.
std::string counting_image(std::size_t words)
{
    std::string image;
    for (std::size_t i = 0; i < words; ++i) {
        image.push_back(static_cast<char>(i & 0xFF));
        image.push_back(static_cast<char>((i >> 8) & 0xFF));
    }
    return image;
}

TEST(Conversion, ExactBlockMultipleIsNotPaddedAndAddressesRunOn)
{
    const Converted converted = convert(counting_image(65536), 16, 0x10);
    ASSERT_EQ(converted.result, ConversionResult::Completed);
    const std::vector<std::string> lines = lines_of(converted.text);
    ASSERT_EQ(lines.size(), 65536u);
    EXPECT_EQ(lines[32767], "8007   7FFF");
    // First word of the second block: (0x10 + 65536) / 2.
    EXPECT_EQ(lines[32768], "8008   8000");
    EXPECT_EQ(lines.back(), "10007   FFFF");
}

TEST(Conversion, OnlyTheFinalBlockIsPadded)
{
    std::string image = counting_image(2 * 65536 / 8 * 4);  // two whole blocks
    image += "\xAA\xBB\xCC";
    const Converted converted = convert(image, 64, 0);
    ASSERT_EQ(converted.result, ConversionResult::Completed);
    const std::vector<std::string> lines = lines_of(converted.text);
    ASSERT_EQ(lines.size(), 3 + 2 * 65536 / 8 + 1);
    EXPECT_EQ(lines[3 + 8192], "2000   0080018002800380");  // 16-bit words 0x8000 on
    EXPECT_EQ(lines.back(), "4000   AABBCC0000000000");
}

TEST(Conversion, ReadFailureIsNotTheEndOfInput)
{
    test_support::TempDir dir;
    // A directory opens but cannot be read.
    std::FILE* input = std::fopen(dir.path().c_str(), "rb");
    ASSERT_NE(input, nullptr);
    std::string text = test_support::written_text([&](OutputBuffer& output) {
        EXPECT_EQ(convert_image(input, output, 32, 0), ConversionResult::ReadFailed);
    });
    std::fclose(input);
    EXPECT_EQ(text, header);
}

TEST(Conversion, StopsAtTheFirstFailedWrite)
{
    std::FILE* input = std::tmpfile();
    // Its load file is many times the size of the output buffer.
    const std::string image = test_support::random_bytes(16 * 65536, 7);
    std::fwrite(image.data(), 1, image.size(), input);
    std::rewind(input);
    std::FILE* full = std::fopen("/dev/full", "wb");
    ASSERT_NE(full, nullptr);
    {
        OutputBuffer output(full);
        EXPECT_EQ(convert_image(input, output, 16, 0), ConversionResult::WriteFailed);
        // It gave up long before the end of the input.
        EXPECT_LT(std::ftell(input), static_cast<long>(image.size() / 2));
    }
    std::fclose(full);
    std::fclose(input);
}

}  // namespace
