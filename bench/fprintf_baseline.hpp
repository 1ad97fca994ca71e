#pragma once

#include <cstdint>
#include <cstdio>

// The plain way to write a load file: one std::fprintf per line into a FILE*.
// The benchmark measures the converter against it, and the tests check that
// both write the same bytes.
void convert_with_fprintf(std::FILE* input, std::FILE* output, unsigned word_width,
                          std::uint32_t start_address);
