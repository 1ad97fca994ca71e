// Converts arbitrary images at every width and start address and checks the
// load file from the outside: the header, one well-formed line per word,
// addresses running on by one, and values that decode back to the image with
// its zero padding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "loadfile/image_converter.hpp"

namespace {

constexpr std::string_view header = "$INSTANCE u_ddr4qt__u_ddr_sp2ck\n"
                                    "$RADIX    HEX\n"
                                    "$ADDRESS   0    3fffff\n";
constexpr unsigned widths[] = {16, 32, 64};

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

bool is_upper_hex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

std::uint32_t hex_value(std::string_view digits)
{
    return static_cast<std::uint32_t>(std::strtoul(std::string(digits).c_str(), nullptr, 16));
}

// The image's bytes as one line's value holds them: little-endian for 16 and
// 32 bits, in file order for 64.
std::vector<std::uint8_t> decoded_bytes(std::string_view digits, unsigned width)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(hex_value(digits.substr(i, 2))));
    }
    if (width != 64) {
        std::vector<std::uint8_t> reversed(bytes.rbegin(), bytes.rend());
        return reversed;
    }
    return bytes;
}

std::string convert(const std::vector<std::uint8_t>& image, unsigned width, std::uint32_t start)
{
    std::FILE* input = image.empty()
                           ? std::fopen("/dev/null", "rb")
                           : fmemopen(const_cast<std::uint8_t*>(image.data()), image.size(), "rb");
    char* text = nullptr;
    std::size_t length = 0;
    std::FILE* output_file = open_memstream(&text, &length);
    check(input != nullptr && output_file != nullptr);
    {
        OutputBuffer output(output_file);
        check(convert_image(input, output, width, start) == ConversionResult::Completed);
        check(output.flush());
    }
    check(std::fclose(output_file) == 0);
    std::fclose(input);
    std::string load_file(text, length);
    std::free(text);
    return load_file;
}

}  // namespace

// Input: a byte choosing the width and whether to start at 0, four bytes of
// start address, a repeat count that lets small inputs span several blocks,
// then the image bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 6) {
        return 0;
    }
    const unsigned width = widths[(data[0] & 3) % 3];
    const unsigned word_size = width / 8;
    std::uint32_t start = 0;
    if ((data[0] & 4) == 0) {
        std::memcpy(&start, data + 1, sizeof start);
    }
    const unsigned repeats = 1 + data[5] % 40;
    std::vector<std::uint8_t> image;
    for (unsigned i = 0; i < repeats; ++i) {
        image.insert(image.end(), data + 6, data + size);
    }

    const std::string load_file = convert(image, width, start);
    std::string_view rest = load_file;
    if (start == 0) {
        check(rest.substr(0, header.size()) == header);
        rest.remove_prefix(header.size());
    }
    check(rest.empty() || rest.back() == '\n');

    const std::size_t words = (image.size() + word_size - 1) / word_size;
    const std::uint32_t words_in_address_space =
        static_cast<std::uint32_t>((std::uint64_t{1} << 32) / word_size - 1);  // as a mask
    std::vector<std::uint8_t> values;
    std::size_t lines = 0;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 1);

        const std::size_t separator = line.find(' ');
        check(separator != std::string_view::npos && separator >= 1 && separator <= 8);
        const std::string_view address = line.substr(0, separator);
        check(line.substr(separator, 3) == "   ");
        const std::string_view value = line.substr(separator + 3);
        check(value.size() == width / 4);
        for (char c : address) {
            check(is_upper_hex(c));
        }
        for (char c : value) {
            check(is_upper_hex(c));
        }
        check(address.size() == 1 || address[0] != '0');
        check(hex_value(address) ==
              ((start / word_size + static_cast<std::uint32_t>(lines)) & words_in_address_space));

        const std::vector<std::uint8_t> bytes = decoded_bytes(value, width);
        values.insert(values.end(), bytes.begin(), bytes.end());
        ++lines;
    }
    check(lines == words);
    check(values.size() == words * word_size);
    check(std::equal(image.begin(), image.end(), values.begin()));
    for (std::size_t i = image.size(); i < values.size(); ++i) {
        check(values[i] == 0);
    }
    return 0;
}
