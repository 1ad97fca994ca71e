#pragma once

#include <cstdint>
#include <cstdio>

#include "loadfile/output_buffer.hpp"

enum class ConversionResult {
    Completed,    // the input was read to its end
    ReadFailed,   // a read of the input failed
    WriteFailed,  // the output refused a write; converting stopped there
};

// Writes the load file of the whole input: the header block when the start
// address is 0, then one record line per word of `word_width` bits (16, 32 or
// 64). What is still buffered when it returns is the caller's to flush.
ConversionResult convert_image(std::FILE* input, OutputBuffer& output, unsigned word_width,
                               std::uint32_t start_address);
