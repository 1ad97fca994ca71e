// The fast writer must give exactly the bytes of the plain one-fprintf-per-
// line conversion, over enough random words to meet every digit and length.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "fprintf_baseline.hpp"
#include "loadfile/image_converter.hpp"
#include "test_support.hpp"

namespace {

struct IdentityCase {
    unsigned width;
    std::uint32_t start_address;
};

void PrintTo(const IdentityCase& c, std::ostream* out)
{
    *out << "width " << c.width << " from " << std::hex << c.start_address;
}

class SameBytesAsBaseline : public testing::TestWithParam<IdentityCase> {};

TEST_P(SameBytesAsBaseline, OnARandomImage)
{
    // Several blocks, ending off a word boundary.
    const std::string image = test_support::random_bytes(5 * 65536 + 3, 42);
    std::FILE* input = std::tmpfile();
    std::fwrite(image.data(), 1, image.size(), input);

    std::rewind(input);
    const std::string fast = test_support::written_text([&](OutputBuffer& output) {
        EXPECT_EQ(convert_image(input, output, GetParam().width, GetParam().start_address),
                  ConversionResult::Completed);
    });

    std::rewind(input);
    std::FILE* baseline_output = std::tmpfile();
    convert_with_fprintf(input, baseline_output, GetParam().width, GetParam().start_address);
    const std::string baseline = test_support::read_all(baseline_output);
    std::fclose(baseline_output);
    std::fclose(input);

    ASSERT_EQ(fast.size(), baseline.size());
    EXPECT_TRUE(fast == baseline);
}

const IdentityCase identity_cases[] = {
    {16, 0}, {32, 0}, {64, 0}, {16, 0xFFF3}, {32, 0x123456}, {64, 0xFFFFF000},
};

INSTANTIATE_TEST_SUITE_P(Widths, SameBytesAsBaseline, testing::ValuesIn(identity_cases));

}  // namespace
