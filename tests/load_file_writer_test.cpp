#include "loadfile/load_file_writer.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>

#include "test_support.hpp"

namespace {

using test_support::header;
using test_support::written_text;

TEST(Header, IsThreeFixedLines)
{
    EXPECT_EQ(written_text([](OutputBuffer& out) { write_header(out); }), header);
}

struct RecordCase {
    unsigned width;
    std::uint32_t address;
    std::uint64_t value;
    const char* line;
};

void PrintTo(const RecordCase& c, std::ostream* out)
{
    *out << c.width << " bits: " << std::string(c.line, std::strlen(c.line) - 1);
}

class Record : public testing::TestWithParam<RecordCase> {};

TEST_P(Record, IsAddressThreeSpacesValue)
{
    const RecordCase& c = GetParam();
    EXPECT_EQ(
        written_text([&](OutputBuffer& out) { write_record(out, c.width, c.address, c.value); }),
        c.line);
}

const RecordCase record_cases[] = {
    {16, 0x1A, 0xFF, "1A   00FF\n"},
    {32, 0x1A, 0xFF, "1A   000000FF\n"},
    {64, 0x1A, 0xFF, "1A   00000000000000FF\n"},
    {16, 0, 5, "0   0005\n"},
    {32, 0, 0, "0   00000000\n"},
    {16, 0x10, 0xABCD, "10   ABCD\n"},
    {32, 0xFFFFFFFF, 0xDEADBEEF, "FFFFFFFF   DEADBEEF\n"},
    {32, 0x1000000, 0x0A0B0C0D, "1000000   0A0B0C0D\n"},
    {64, 0xF, 0x0102030405060708, "F   0102030405060708\n"},
    {64, 0xFFFFFFFF, 0xFFFFFFFFFFFFFFFF, "FFFFFFFF   FFFFFFFFFFFFFFFF\n"},
};

INSTANTIATE_TEST_SUITE_P(Table, Record, testing::ValuesIn(record_cases));

TEST(Record, LinesFollowOneAnotherAcrossBufferFlushes)
{
    // Enough lines to fill the buffer several times over.
    const std::uint32_t count = 3 * OutputBuffer::capacity / 10;
    std::string expected;
    char line[32];
    for (std::uint32_t address = 0; address < count; ++address) {
        std::snprintf(line, sizeof line, "%X   %.4X\n", address, address & 0xFFFF);
        expected += line;
    }
    EXPECT_EQ(written_text([&](OutputBuffer& out) {
                  for (std::uint32_t address = 0; address < count; ++address) {
                      write_record(out, 16, address, address & 0xFFFF);
                  }
              }),
              expected);
}

TEST(Record, CanBeWrittenToAnyStdioStream)
{
    // The buffer leaves the FILE's own buffering alone: a memory stream
    // breaks when that is taken from it.
    char* text = nullptr;
    std::size_t length = 0;
    std::FILE* stream = open_memstream(&text, &length);
    {
        OutputBuffer output(stream);
        write_record(output, 32, 0xAB, 0x1234);
        EXPECT_TRUE(output.flush());
    }
    ASSERT_EQ(std::fclose(stream), 0);
    EXPECT_EQ(std::string(text, length), "AB   00001234\n");
    std::free(text);
}

}  // namespace
