#include "loadfile/load_file_writer.hpp"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view header_lines[] = {
    "$INSTANCE u_ddr4qt__u_ddr_sp2ck",
    "$RADIX    HEX",
    "$ADDRESS   0    3fffff",
};
constexpr std::string_view terminator = line_terminator;

// Address (8), three spaces, value (16) and the terminator.
constexpr std::size_t longest_record = 8 + 3 + 16 + 1;

constexpr char hex_digits[] = "0123456789ABCDEF";

char* put_hex(char* out, std::uint64_t value, unsigned digits)
{
    for (unsigned i = digits; i > 0; --i) {
        out[i - 1] = hex_digits[value & 0xF];
        value >>= 4;
    }
    return out + digits;
}

unsigned significant_hex_digits(std::uint32_t value)
{
    unsigned digits = 1;
    while (value > 0xF) {
        value >>= 4;
        ++digits;
    }
    return digits;
}

}  // namespace

void write_header(OutputBuffer& output)
{
    for (std::string_view line : header_lines) {
        char* out = output.reserve(line.size() + terminator.size());
        out = std::copy(line.begin(), line.end(), out);
        out = std::copy(terminator.begin(), terminator.end(), out);
        output.commit(out);
    }
}

void write_record(OutputBuffer& output, unsigned word_width, std::uint32_t word_address,
                  std::uint64_t value)
{
    char* out = output.reserve(longest_record);
    out = put_hex(out, word_address, significant_hex_digits(word_address));
    out = std::copy_n("   ", 3, out);
    out = put_hex(out, value, word_width / 4);
    out = std::copy(terminator.begin(), terminator.end(), out);
    output.commit(out);
}
