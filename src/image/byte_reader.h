#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "image/image_error.h"

namespace orbeline {

// Reads little-endian values from a byte buffer. Every read first checks that the bytes
// are there (Has) and raises ImageError "<context>: truncated <what>" when they are not, so
// a short or lying file can never make us read past the buffer.
class LittleEndianReader {
 public:
  LittleEndianReader(std::span<const std::uint8_t> data, std::string context)
      : data_(data), context_(std::move(context)) {}

  bool Has(std::size_t count) const { return count <= data_.size() - position_; }
  std::size_t Position() const { return position_; }
  std::size_t Size() const { return data_.size(); }
  std::size_t Remaining() const { return data_.size() - position_; }

  // Moves to an absolute offset, which must lie within the buffer (its end included).
  void Seek(std::size_t offset, std::string_view what) {
    if (offset > data_.size()) Fail("offset of the " + std::string(what) + " beyond the end");
    position_ = offset;
  }
  void Skip(std::size_t count, std::string_view what) {
    Require(count, what);
    position_ += count;
  }

  std::uint8_t U8(std::string_view what) {
    Require(1, what);
    return data_[position_++];
  }
  std::uint16_t U16(std::string_view what) {
    Require(2, what);
    const std::uint16_t v =
        static_cast<std::uint16_t>(data_[position_] | data_[position_ + 1] << 8);
    position_ += 2;
    return v;
  }
  std::uint32_t U32(std::string_view what) {
    Require(4, what);
    const std::uint32_t v =
        std::uint32_t{data_[position_]} | std::uint32_t{data_[position_ + 1]} << 8 |
        std::uint32_t{data_[position_ + 2]} << 16 | std::uint32_t{data_[position_ + 3]} << 24;
    position_ += 4;
    return v;
  }
  std::int32_t I32(std::string_view what) { return static_cast<std::int32_t>(U32(what)); }
  // A view of the next `count` bytes, which are consumed.
  std::span<const std::uint8_t> Bytes(std::size_t count, std::string_view what) {
    Require(count, what);
    const auto view = data_.subspan(position_, count);
    position_ += count;
    return view;
  }

  [[noreturn]] void Fail(std::string_view reason) const {
    throw ImageError(context_ + ": " + std::string(reason));
  }

 private:
  void Require(std::size_t count, std::string_view what) const {
    if (!Has(count)) Fail("truncated " + std::string(what));
  }

  std::span<const std::uint8_t> data_;
  std::string context_;
  std::size_t position_ = 0;
};

}  // namespace orbeline
