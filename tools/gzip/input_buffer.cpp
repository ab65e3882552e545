#include "input_buffer.h"

namespace gz {

InputBuffer::InputBuffer(ByteSource& source, std::size_t capacity)
    : source_(source), storage_(capacity) {}

bool InputBuffer::refill() {
  position_ = 0;
  end_ = source_.read_some(storage_);
  bytes_read_ += end_;
  return end_ != 0;
}

std::span<const std::uint8_t> InputBuffer::available() {
  if (position_ == end_) refill();
  return std::span<const std::uint8_t>(storage_).subspan(position_, end_ - position_);
}

void InputBuffer::consume(std::size_t count) { position_ += count; }

std::optional<std::uint8_t> InputBuffer::try_byte() {
  if (position_ == end_ && !refill()) return std::nullopt;
  return storage_[position_++];
}

bool InputBuffer::at_end() { return position_ == end_ && !refill(); }

}  // namespace gz
