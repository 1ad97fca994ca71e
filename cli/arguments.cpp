#include "cli/arguments.hpp"

#include <cstdint>

namespace {

bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int hex_digit_value(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Skips leading white space and an optional sign; true when the sign is minus.
bool skip_space_and_sign(const char*& text)
{
    while (is_space(*text)) {
        ++text;
    }
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    return negative;
}

}  // namespace

std::optional<unsigned> read_word_width(const char* text)
{
    const bool negative = skip_space_and_sign(text);
    if (*text < '0' || *text > '9') {
        return std::nullopt;
    }
    // Past 2^31 the number cannot be a width, so there is no need to read on.
    constexpr std::int64_t out_of_range = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > out_of_range) {
            return std::nullopt;
        }
    }
    const std::int64_t width = negative ? -magnitude : magnitude;
    if (width != 16 && width != 32 && width != 64) {
        return std::nullopt;
    }
    return static_cast<unsigned>(width);
}

std::optional<std::uint32_t> read_start_address(const char* text)
{
    const bool negative = skip_space_and_sign(text);
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text += 2;
    }
    if (hex_digit_value(*text) < 0) {
        return std::nullopt;
    }
    std::uint32_t address = 0;
    for (int digit = hex_digit_value(*text); digit >= 0; digit = hex_digit_value(*++text)) {
        address = (address << 4) | static_cast<std::uint32_t>(digit);
    }
    return negative ? 0u - address : address;
}
