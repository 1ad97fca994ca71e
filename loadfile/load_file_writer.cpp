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
