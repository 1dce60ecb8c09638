#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "frame_format.h"

namespace vardex::sim {

// One command frame from the tool that passed its header check and, when it
// carries a page, its data sum.
struct Request {
  std::uint8_t code = 0;
  std::uint16_t page = 0;
  std::span<const std::uint8_t> data;  // the 128 page bytes, empty for a read request
};

// Reassembles command frames from the incoming byte stream, one byte at a
// time, so any fragmentation of the stream is handled the same way. A header
// with a bad check or an unknown code costs only its marker: hunting resumes
// at the byte after it. A page whose data sum fails is consumed whole.
class RequestParser {
 public:
  // Feeds one byte; returns a request when this byte completed one. The
  // request's data stays valid until the next call.
  std::optional<Request> Push(std::uint8_t byte);

  // Counts frames that were dropped for a bad check or data sum.
  std::size_t RejectedHeaders() const { return rejectedHeaders_; }
  std::size_t RejectedPages() const { return rejectedPages_; }

 private:
  std::optional<Request> OnHeaderComplete();
  std::optional<Request> OnPageComplete();
  void Rescan();

  std::array<std::uint8_t, kFrameWithPageSize> frame_{};
  std::size_t filled_ = 0;
  std::size_t rejectedHeaders_ = 0;
  std::size_t rejectedPages_ = 0;
};

}  // namespace vardex::sim
