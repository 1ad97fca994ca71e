#include "loadfile/output_buffer.hpp"

bool OutputBuffer::flush() noexcept
{
    if (used_ > 0 && !failed_) {
        failed_ = std::fwrite(data_.data(), 1, used_, file_) != used_ || std::fflush(file_) != 0;
    }
    used_ = 0;
    return !failed_;
}
