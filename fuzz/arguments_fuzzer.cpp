// Feeds arbitrary text to the argument readers and checks each against the C
// library's own number parsing.
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "cli/arguments.hpp"

namespace {

void check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// strtoll reads the same decimal syntax; past the range of long long it
// saturates, which is never a width either.
void check_word_width(const char* text)
{
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(text, &end, 10);
    const bool is_width = end != text && (number == 16 || number == 32 || number == 64);
    const std::optional<unsigned> width = read_word_width(text);
    check(width.has_value() == is_width);
    check(!width || static_cast<long long>(*width) == number);
}

// strtoul cannot tell "0x" alone from "0" and saturates on long numbers, so
// it is only handed the last eight hex digits.
void check_start_address(const char* text)
{
    const char* digits = text;
    while (std::isspace(static_cast<unsigned char>(*digits))) {
        ++digits;
    }
    const bool negative = *digits == '-';
    if (*digits == '-' || *digits == '+') {
        ++digits;
    }
    if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits += 2;
    }
    const std::size_t count = std::strspn(digits, "0123456789abcdefABCDEF");
    const std::optional<std::uint32_t> address = read_start_address(text);
    check(address.has_value() == (count > 0));
    if (count > 0) {
        const std::size_t kept = count < 8 ? count : 8;
        const std::string last_digits(digits + count - kept, kept);
        auto expected = static_cast<std::uint32_t>(std::strtoul(last_digits.c_str(), nullptr, 16));
        if (negative) {
            expected = 0u - expected;
        }
        check(*address == expected);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    check_word_width(text.c_str());
    check_start_address(text.c_str());
    return 0;
}
