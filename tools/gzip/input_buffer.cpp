#include "input_buffer.h"

namespace gz {

InputBuffer::InputBuffer(ByteSource& source, std::size_t capacity) : source_(source), storage_(capacity) {}

bool InputBuffer::Refill() {
  position_ = 0;
  end_ = source_.ReadSome(storage_);
  bytes_read_ += end_;
  return end_ != 0;
}

std::span<const std::uint8_t> InputBuffer::Available() {
  if (position_ == end_) Refill();
  return std::span<const std::uint8_t>(storage_).subspan(position_, end_ - position_);
}

void InputBuffer::Consume(std::size_t count) { position_ += count; }

std::optional<std::uint8_t> InputBuffer::TryByte() {
  if (position_ == end_ && !Refill()) return std::nullopt;
  return storage_[position_++];
}

bool InputBuffer::AtEnd() { return position_ == end_ && !Refill(); }

}  // namespace gz
