#include "loadfile/output_buffer.hpp"

#include <cstring>

void OutputBuffer::write_out(std::size_t size) noexcept
{
    if (size > 0 && !failed_) {
        failed_ = std::fwrite(data_.data(), 1, size, file_) != size || std::fflush(file_) != 0;
    }
}

void OutputBuffer::write_whole_chunks() noexcept
{
    const std::size_t whole = used() - used() % chunk_size;
    write_out(whole);
    const std::size_t rest = used() - whole;
    std::memmove(data_.data(), data_.data() + whole, rest);
    next_ = data_.data() + rest;
}

bool OutputBuffer::flush() noexcept
{
    write_out(used());
    next_ = data_.data();
    return !failed_;
}
