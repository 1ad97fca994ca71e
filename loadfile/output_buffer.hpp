#pragma once

#include <array>
#include <cstddef>
#include <cstdio>

// A buffered output stream of the program's own over an open FILE*. Record
// lines are formatted straight into its fixed buffer, which goes to the file
// in large chunks. The first failed write is remembered; later text is
// dropped, so one check at the end tells whether the file got everything.
// Over an unbuffered FILE, each chunk is one write.
class OutputBuffer {
public:
    static constexpr std::size_t capacity = std::size_t{512} * 1024;

    explicit OutputBuffer(std::FILE* file) noexcept : file_(file) {}
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    // Room for `size` bytes (a line's worth: far less than `capacity`),
    // writing out first when the buffer is too full. Write there, then hand
    // the end of what was written to commit().
    char* reserve(std::size_t size) noexcept
    {
        if (static_cast<std::size_t>(data_.data() + capacity - next_) < size) {
            write_whole_chunks();
        }
        return next_;
    }

    void commit(char* end) noexcept { next_ = end; }

    // Writes out what is buffered. False once any write to the file failed.
    bool flush() noexcept;

    bool failed() const noexcept { return failed_; }

private:
    // Writes out all whole `chunk_size` pieces and keeps the rest, so that
    // every write but the last covers whole pages of the file.
    void write_whole_chunks() noexcept;
    void write_out(std::size_t size) noexcept;
    std::size_t used() const noexcept { return static_cast<std::size_t>(next_ - data_.data()); }

    static constexpr std::size_t chunk_size = 4096;

    std::FILE* file_;
    bool failed_ = false;
    // Page-aligned, as the chunks are: the kernel copies them out faster.
    alignas(chunk_size) std::array<char, capacity> data_;
    char* next_ = data_.data();  // where the next text goes
};
