#pragma once

#include <array>
#include <cstddef>
#include <cstdio>

// A buffered output stream of the program's own over an open FILE*. Record
// lines are formatted straight into its fixed buffer, which goes to the file
// in large chunks. The first failed write is remembered; later text is
// dropped, so one check at the end tells whether the file got everything.
class OutputBuffer {
public:
    static constexpr std::size_t capacity = 256 * 1024;

    explicit OutputBuffer(std::FILE* file) noexcept : file_(file) {}
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    // Room for `size` bytes (at most `capacity`), flushing first when the
    // buffer is too full. Write there, then hand the end to commit().
    char* reserve(std::size_t size) noexcept
    {
        if (capacity - used_ < size) {
            flush();
        }
        return data_.data() + used_;
    }

    void commit(const char* end) noexcept { used_ = static_cast<std::size_t>(end - data_.data()); }

    // Writes out what is buffered. False once any write to the file failed.
    bool flush() noexcept;

    bool failed() const noexcept { return failed_; }

private:
    std::FILE* file_;
    std::size_t used_ = 0;
    bool failed_ = false;
    std::array<char, capacity> data_;
};
