#include "fprintf_baseline.hpp"

#include <cinttypes>
#include <cstddef>

void convert_with_fprintf(std::FILE* input, std::FILE* output, unsigned word_width,
                          std::uint32_t start_address)
{
    static constexpr std::size_t block_size = 65536;
    static unsigned char block[block_size];
    const unsigned size = word_width / 8;
    std::uint32_t byte_address = start_address;

    if (start_address == 0) {
        std::fprintf(output, "$INSTANCE u_ddr4qt__u_ddr_sp2ck%s", "\n");
        std::fprintf(output, "$RADIX    HEX%s", "\n");
        std::fprintf(output, "$ADDRESS   0    3fffff%s", "\n");
    }
    for (std::size_t n; (n = std::fread(block, 1, block_size, input)) > 0;) {
        while (n % size != 0) {
            block[n++] = 0;
        }
        for (std::size_t o = 0; o < n; o += size) {
            const unsigned address = (byte_address + static_cast<std::uint32_t>(o)) / size;
            const unsigned char* b = block + o;
            if (word_width == 16) {
                std::fprintf(output, "%X   %.4X%s", address, unsigned(b[0] | b[1] << 8), "\n");
            } else if (word_width == 32) {
                const unsigned value = b[0] | b[1] << 8 | b[2] << 16 | unsigned(b[3]) << 24;
                std::fprintf(output, "%X   %.8X%s", address, value, "\n");
            } else {
                const unsigned high = unsigned(b[0]) << 24 | b[1] << 16 | b[2] << 8 | b[3];
                const unsigned low = unsigned(b[4]) << 24 | b[5] << 16 | b[6] << 8 | b[7];
                std::fprintf(output, "%X   %.8X%.8X%s", address, high, low, "\n");
            }
        }
        byte_address += static_cast<std::uint32_t>(n);
    }
}
