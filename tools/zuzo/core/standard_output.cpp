#include "tools/zuzo/core/standard_output.h"

#include <array>
#include <cstddef>
#include <iostream>

namespace zuzo::cli {

class StandardOutput::Buffer : public std::streambuf {
public:
    Buffer() { setp(space_.data(), space_.data() + space_.size()); }

    std::error_code error() const { return error_; }

    // Hands the buffered text to the system; false once a write failed.
    bool write_out()
    {
        const std::size_t size = static_cast<std::size_t>(pptr() - pbase());
        setp(space_.data(), space_.data() + space_.size());
        if (!error_ && size > 0)
            error_ = write_standard_output(space_.data(), size);
        return !error_;
    }

protected:
    int_type overflow(int_type c) override
    {
        if (!write_out())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            sputc(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }

    int sync() override { return write_out() ? 0 : -1; }

private:
    std::array<char, std::size_t{64} * 1024> space_{};
    std::error_code error_;
};

StandardOutput::StandardOutput() : buffer_(std::make_unique<Buffer>())
{
    keep_failed_writes_from_ending_the_program();
    std::cout.flush();
    saved_ = std::cout.rdbuf(buffer_.get());
}

StandardOutput::~StandardOutput()
{
    std::cout.flush();
    std::cout.rdbuf(saved_);
}

std::error_code StandardOutput::finish()
{
    std::cout.flush();
    (void)buffer_->write_out();
    return buffer_->error();
}

} // namespace zuzo::cli
