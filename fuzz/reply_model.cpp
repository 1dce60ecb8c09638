#include "reply_model.h"

namespace vardex {

std::size_t ReplyModel::Receive(std::span<const std::uint8_t> bytes, Sink& sink) {
  std::size_t stored = 0;
  for (std::uint8_t byte : bytes) {
    const std::size_t next = (write_ + 1) & kMask;
    if (next == read_)
      continue;  // full: dropped
    ring_[write_] = byte;
    write_ = next;
    ++stored;
  }
  Parse(sink);
  return stored;
}

void ReplyModel::Parse(Sink& sink) {
  while (read_ != write_) {
    if (collecting_) {
      if (Unread() < 128)
        return;
      std::array<std::uint8_t, 128> data{};
      std::uint32_t sum = 0;
      for (std::size_t i = 0; i < 128; ++i) {
        data[i] = At(i);
        sum += data[i];
      }
      read_ = (read_ + 128) & kMask;
      collecting_ = false;
      if ((sum & 0xFFFF) != sum_) {
        sink.OnReply(Event::kDataSumError, page_);
        continue;
      }
      // Pages past the image are accepted by the parser but stored nowhere.
      if (page_ < 16) {
        for (std::size_t i = 0; i < 128; ++i) image_[std::size_t{page_} * 128 + i] = data[i];
      }
      sink.OnReply(Event::kPageData, page_);
      continue;
    }
    if (At(0) != 0xFF) {
      read_ = (read_ + 1) & kMask;
      continue;
    }
    if (Unread() < 8)
      return;
    std::uint8_t check = 0;
    for (std::size_t i = 1; i <= 6; ++i) check = static_cast<std::uint8_t>(check + At(i));
    const bool valid = check == At(7);
    const std::uint8_t code = At(1);
    if (valid && (code == 0x41 || code == 0x81)) {
      read_ = (read_ + 8) & kMask;
      sink.OnReply(code == 0x41 ? Event::kFirmwareAck : Event::kEepromAck, 0);
    } else if (valid && code == 0x91) {
      page_ = static_cast<std::uint16_t>(At(2) << 8 | At(3));
      sum_ = static_cast<std::uint16_t>(At(4) << 8 | At(5));
      read_ = (read_ + 8) & kMask;
      collecting_ = true;
    } else {
      if (code == 0x91)
        sink.OnReply(Event::kFrameCheckError, 0);
      read_ = (read_ + 1) & kMask;
    }
  }
}

}  // namespace vardex
