#include "loadfile/image_converter.hpp"

#include <array>
#include <cstddef>

#include "loadfile/load_file_writer.hpp"

namespace {

constexpr std::size_t block_size = 65536;
// The kernel copies into a page-aligned block faster.
constexpr std::size_t block_alignment = 4096;

using Block = std::array<unsigned char, block_size>;

// Fills the block as far as the input goes. A pipe may deliver a block in
// pieces, so only the end of the input (or a failure) leaves it short.
std::size_t read_block(std::FILE* input, Block& block)
{
    std::size_t filled = 0;
    while (filled < block.size()) {
        std::size_t got = std::fread(block.data() + filled, 1, block.size() - filled, input);
        if (got == 0) {
            break;
        }
        filled += got;
    }
    return filled;
}

// 16- and 32-bit words are little-endian; 64-bit words read in file order,
// first byte most significant. Written out byte by byte so that compilers
// turn each into a single load, whatever the machine's byte order.
template <unsigned word_width>
std::uint64_t assemble_word(const unsigned char* b)
{
    using Word = std::uint64_t;
    if constexpr (word_width == 16) {
        return Word{b[0]} | Word{b[1]} << 8;
    } else if constexpr (word_width == 32) {
        return Word{b[0]} | Word{b[1]} << 8 | Word{b[2]} << 16 | Word{b[3]} << 24;
    } else {
        return Word{b[0]} << 56 | Word{b[1]} << 48 | Word{b[2]} << 40 | Word{b[3]} << 32 |
               Word{b[4]} << 24 | Word{b[5]} << 16 | Word{b[6]} << 8 | Word{b[7]};
    }
}

// One record per word of a block whose length is a whole number of words.
// A separate loop per width lets the word layout and the record format be
// fixed at compile time.
template <unsigned word_width>
void write_records(OutputBuffer& output, const unsigned char* block, std::size_t length,
                   std::uint32_t byte_address)
{
    constexpr unsigned size = word_size(word_width);
    for (std::size_t offset = 0; offset < length; offset += size) {
        const std::uint32_t word_address =
            (byte_address + static_cast<std::uint32_t>(offset)) / size;
        write_record(output, word_width, word_address, assemble_word<word_width>(block + offset));
    }
}

}  // namespace

ConversionResult convert_image(std::FILE* input, OutputBuffer& output, unsigned word_width,
                               std::uint32_t start_address)
{
    const unsigned mask = word_size(word_width) - 1;
    alignas(block_alignment) Block block;
    std::uint32_t byte_address = start_address;

    if (start_address == 0) {
        write_header(output);
    }
    for (;;) {
        std::size_t length = read_block(input, block);
        if (std::ferror(input) != 0) {
            return ConversionResult::ReadFailed;
        }
        if (length == 0) {
            return ConversionResult::Completed;
        }
        // Only the last block with data can be short; 65536 is a multiple of
        // every word size, so padding never runs past the buffer.
        while ((length & mask) != 0) {
            block[length++] = 0;
        }
        switch (word_width) {
        case 16:
            write_records<16>(output, block.data(), length, byte_address);
            break;
        case 32:
            write_records<32>(output, block.data(), length, byte_address);
            break;
        default:
            write_records<64>(output, block.data(), length, byte_address);
            break;
        }
        if (output.failed()) {
            return ConversionResult::WriteFailed;
        }
        byte_address += static_cast<std::uint32_t>(length);
    }
}
