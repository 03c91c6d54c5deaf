#pragma once
// What every fuzz program shares: a check that aborts, so that the fuzzer
// keeps the input, and a reader that takes each choice from the input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition);                   \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool More() const { return pos_ < size_; }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    // Up to the next line break, which is dropped: seeds stay readable.
    std::string Line() {
        const std::uint8_t* start = data_ + pos_;
        const void* end = pos_ < size_ ? std::memchr(start, '\n', size_ - pos_) : nullptr;
        const std::size_t length =
            end ? static_cast<const std::uint8_t*>(end) - start : size_ - pos_;
        pos_ += end ? length + 1 : length;
        return std::string(reinterpret_cast<const char*>(start), length);
    }
    std::string Rest() {
        std::string rest(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
        pos_ = size_;
        return rest;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};
