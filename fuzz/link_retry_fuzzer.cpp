// The transfer engine on a noisy line, with time: replies lost, damaged,
// doubled, late and for the wrong page, arbitrary bytes, and time passing
// in arbitrary steps. Whatever happens, the engine
//   - sends every page with its own bytes (a page sent again is the same),
//   - moves one page at a time: each frame is the page before it again, or
//     the next page, and a new transfer starts at page 0,
//   - sends one page at most three times in a row,
//   - never asks to be woken in the past after a Tick (no busy loop),
//   - and a read that finishes hands over exactly the device's pages.
//
// Input: one byte choosing the transfer (upload of 1 to 32 pages, write,
// read), then commands:
//   0x00-0x3F  time passes by (b + 1) * 10 ms, then a Tick
//   0x40       the device's reply to the last frame sent
//   0x41       that reply damaged (check byte or data sum)
//   0x42       that reply twice
//   0x43       a data reply for another page, or an ack of the other kind
//   0x44-0x7F  the next (b - 0x43) input bytes as they are
//   0x80-0xFF  a Tick with no time passing

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "frame_header.h"
#include "fuzz_failure.h"
#include "transfer_engine.h"

namespace vardex {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Time = TransferEngine::Time;

FrameHeader Header(std::uint8_t code, std::uint16_t page, std::uint16_t sum) {
  return BuildFrameHeader(static_cast<FrameCode>(code), page, sum);
}

class Harness final : public TransferOutput {
 public:
  Harness(Operation operation, std::uint32_t uploadPages) : operation_(operation) {
    for (std::size_t i = 0; i < device_.bytes.size(); ++i)
      device_.bytes[i] = static_cast<std::uint8_t>(i * 31 + 7);
    StoreImageChecksum(device_);
    auto image = std::make_shared<ConfigImage>();
    for (std::size_t i = 0; i < image->bytes.size(); ++i)
      image->bytes[i] = static_cast<std::uint8_t>(i * 13 + 1);
    image_ = image;
    auto firmware = std::make_shared<FirmwareBuffer>();
    firmware->size = uploadPages * 128;
    for (std::size_t i = 0; i < firmware->size; ++i)
      firmware->bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    firmware_ = firmware;
    engine_->Start({operation, image_, firmware_}, now_, *this);
  }

  void Run(std::span<const std::uint8_t> commands) {
    for (std::size_t i = 0; i < commands.size(); ++i) {
      const std::uint8_t c = commands[i];
      if (c < 0x40) {
        now_ += std::chrono::milliseconds((c + 1) * 10);
        Tick();
      } else if (c <= 0x43) {
        Deliver(Reply(c));
        if (c == 0x42)
          Deliver(Reply(0x40));
      } else if (c < 0x80) {
        const std::size_t n = std::min<std::size_t>(c - 0x43, commands.size() - i - 1);
        Deliver(commands.subspan(i + 1, n));
        raw_ = true;
        i += n;
      } else {
        Tick();
      }
    }
  }

 private:
  void Tick() {
    engine_->Tick(now_, *this);
    const Time next = engine_->NextTick();
    if (next != Time::max() && next <= now_)
      FuzzFailure("tick", "the engine asks to be woken in the past");
  }
  void Deliver(std::span<const std::uint8_t> bytes) {
    engine_->Receive(bytes, now_, *this);
    engine_->Tick(now_, *this);
  }

  Bytes Reply(std::uint8_t kind) const {
    const bool read = operation_ == Operation::kConfigRead;
    if (!read) {
      std::uint8_t code = operation_ == Operation::kConfigWrite ? 0x81 : 0x41;
      if (kind == 0x43)
        code = code == 0x81 ? 0x41 : 0x81;
      auto ack = Header(code, 0, 0);
      if (kind == 0x41)
        ack[7] ^= 0x10;
      return Bytes(ack.begin(), ack.end());
    }
    std::uint16_t page = static_cast<std::uint16_t>(lastPage_ < 0 ? 0 : lastPage_);
    if (kind == 0x43)
      page = static_cast<std::uint16_t>((page + 5) % 16);
    const auto data = std::span(device_.bytes).subspan(std::size_t{page} * 128, 128);
    std::uint32_t sum = 0;
    for (std::uint8_t b : data) sum += b;
    auto header = Header(0x91, page, static_cast<std::uint16_t>(sum));
    Bytes reply(header.begin(), header.end());
    reply.insert(reply.end(), data.begin(), data.end());
    if (kind == 0x41)
      reply[8 + page % 128] ^= 0x01;
    return reply;
  }

  void Send(std::span<const std::uint8_t> bytes) override {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    const bool read = operation_ == Operation::kConfigRead;
    const std::size_t frame = read ? 8 : 136;
    if (pending_.size() < frame)
      return;
    if (pending_.size() != frame || pending_[0] != 0xFF)
      FuzzFailure("send", "frames are not sent whole, one at a time");
    const int page = pending_[2] << 8 | pending_[3];
    if (!read) {
      const auto& source = operation_ == Operation::kConfigWrite
                               ? std::span<const std::uint8_t>(image_->bytes)
                               : std::span<const std::uint8_t>(firmware_->bytes);
      for (std::size_t i = 0; i < 128; ++i) {
        if (pending_[8 + i] != source[static_cast<std::size_t>(page) * 128 + i])
          FuzzFailure("send", "page " + std::to_string(page) + " sent with other bytes");
      }
    }
    if (page == lastPage_) {
      if (++inARow_ > 3)
        FuzzFailure("send", "page " + std::to_string(page) + " sent more than three times");
    } else if (page == lastPage_ + 1) {
      inARow_ = 1;
    } else {
      FuzzFailure("send",
                  "page " + std::to_string(page) + " after page " + std::to_string(lastPage_));
    }
    lastPage_ = page;
    pending_.clear();
  }
  void OnLogLine(std::string_view) override {}
  void OnProgress(const TransferProgress&) override {}
  void OnOutcome(const LinkOutcome& outcome) override {
    // Raw bytes may hold a well-formed page of their own.
    if (outcome.kind == LinkOutcome::Kind::kFinished && outcome.image != nullptr && !raw_ &&
        outcome.image->bytes != device_.bytes) {
      FuzzFailure("outcome", "a finished read hands over other pages than the device's");
    }
  }

  const Operation operation_;
  std::unique_ptr<TransferEngine> engine_ = std::make_unique<TransferEngine>();
  ConfigImage device_;       // what the device holds, for reads
  SharedConfigImage image_;  // what a write sends
  SharedFirmware firmware_;
  Time now_{std::chrono::hours(1)};
  Bytes pending_;
  int lastPage_ = -1;
  int inARow_ = 0;
  bool raw_ = false;  // arbitrary bytes were delivered
};

}  // namespace
}  // namespace vardex

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using vardex::Operation;
  if (size < 1)
    return 0;
  const std::uint8_t choice = data[0];
  const Operation operation = choice % 3 == 0   ? Operation::kFirmwareUpload
                              : choice % 3 == 1 ? Operation::kConfigWrite
                                                : Operation::kConfigRead;
  auto harness = std::make_unique<vardex::Harness>(operation, (choice / 3u) % 32u + 1u);
  harness->Run(std::span(data + 1, size - 1));
  return 0;
}
