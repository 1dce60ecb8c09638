// A session on the link: the transfers posted at any moment, the device's
// replies (right, split, corrupted, repeated) and arbitrary bytes, delivered
// in arbitrary pieces. Runs the transfer engine and, beside it, a bare
// receive ring and frame parser, and compares both with the reply model.
// Time stands still and the engine never asks again (RetryPolicy::Never()):
// the model is of the frames and the counting; asking again is covered by
// the link_retry target.
//
// Input: two bytes of firmware length (in units of 4 bytes), one byte that
// seeds the contents of the buffers, then commands:
//   0x00-0x7F  the next 1 to 128 input bytes, as one delivery
//   0x80-0x82  post and start an upload, a config write, a config read
//   0x83       an empty delivery
//   0x84       the device's reply to the last frame sent
//   0x85 n     n % 16 + 1 such replies, one delivery each
//   0x86 k     the reply split after k bytes (modulo its length)
//   0x87 k     the reply with bit 0 of byte k (modulo its length) flipped
//   0x88 n     (n + 1) * 16 bytes made of the reply repeated, as one delivery
//   0x89 k     one byte of the device's image changed, so its checksum fails
//   0x8A       the reply twice in one delivery
//   0x8B-0xFF  that byte alone, as one delivery

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>

#include "frame_parser.h"
#include "fuzz_failure.h"
#include "receive_ring.h"
#include "reply_model.h"
#include "transfer_engine.h"
#include "transfer_mailbox.h"

namespace vardex {
namespace {

using Event = ReplyModel::Event;

constexpr std::size_t kImagePages = 16;
constexpr std::size_t kFirmwarePages = 1856;
constexpr std::size_t kFirmwareCapacity = kFirmwarePages * 128;
// Positions in the table of fixed log lines (Session::OnLogLine) of the
// lines that report replies.
constexpr std::size_t kAckLine = 0;
constexpr std::size_t kPageLine = 2;
constexpr std::size_t kFrameErrorLine = 5;
constexpr std::size_t kDataErrorLine = 6;

// The message is put together only on failure: building it on every check
// would cost more than the checks.
void Check(bool condition, const char* where, const char* what, long page = -1) {
  if (condition)
    return;
  std::string text = what;
  if (page >= 0)
    text += " (page " + std::to_string(page) + ")";
  FuzzFailure(where, text);
}

std::uint8_t CheckByte(const std::uint8_t* header) {
  std::uint8_t sum = 0;
  for (int i = 1; i <= 6; ++i) sum = static_cast<std::uint8_t>(sum + header[i]);
  return sum;
}

std::uint16_t DataSum(const std::uint8_t* data) {
  std::uint32_t sum = 0;
  for (int i = 0; i < 128; ++i) sum += data[i];
  return static_cast<std::uint16_t>(sum);
}

bool ImageChecksumHoldsIn(const std::uint8_t* image) {
  std::uint32_t sum = 0;
  for (int i = 4; i <= 1551; ++i) sum += image[i];
  const std::uint32_t stored =
      image[0] | (image[1] << 8) | (image[2] << 16) | (static_cast<std::uint32_t>(image[3]) << 24);
  return stored == sum;
}

// What the model saw in one delivery, in order.
struct ModelReply {
  Event event;
  std::uint16_t page;
  std::array<std::uint8_t, 128> data;
};

// One transfer that sends pages, as the frame rules and the counters say it
// must go: page 0 on start, then one page per acknowledgement up to the last.
struct PageChain {
  bool started = false;
  bool finished = false;
  std::uint32_t last = 0;
  std::uint32_t current = 0;
  std::uint32_t queued = 0;  // pages due in this delivery, not yet seen
  std::uint32_t nextSent = 0;
};

// The session: the link under test, its model and the stand-in device.
class Session final : public TransferOutput, private ReplyModel::Sink, private FrameEvents {
 public:
  void Begin(std::uint32_t firmwareSize, std::uint8_t seed);
  void Post(Operation operation);
  void Deliver(std::span<const std::uint8_t> bytes);
  // The device's answer to the last frame the link sent; empty before any.
  std::span<const std::uint8_t> Reply();
  // Deliveries and their bytes so far in this run.
  std::size_t Deliveries() const { return deliveries_; }
  std::size_t DeliveredBytes() const { return deliveredBytes_; }
  void SpoilDeviceImage(std::uint8_t k) { device_[static_cast<std::size_t>(k) * 8] ^= 0x5A; }

 private:
  // TransferOutput: what the engine produces.
  void Send(std::span<const std::uint8_t> bytes) override;
  void OnLogLine(std::string_view line) override;
  void OnProgress(const TransferProgress& progress) override {
    Check(progress.pagesDone <= progress.pageCount, "progress",
          "more pages done than the transfer has", static_cast<long>(progress.pagesDone));
  }
  void OnOutcome(const LinkOutcome& outcome) override;
  void CheckHandOver(const ConfigImage& image);
  // ReplyModel::Sink: what the model finds in a delivery.
  void OnReply(Event event, std::uint16_t page) override;
  // FrameEvents: what the bare parser finds, compared in order.
  void OnFirmwarePageAck() override { ExpectParsed(Event::kFirmwareAck, 0, nullptr); }
  void OnEepromPageAck() override { ExpectParsed(Event::kEepromAck, 0, nullptr); }
  void OnEepromPageData(std::uint16_t page,
                        std::span<const std::uint8_t, kPageSize> data) override {
    ExpectParsed(Event::kPageData, page, data.data());
  }
  void OnParserLog(std::string_view line) override;

  void ExpectParsed(Event event, std::uint16_t page, const std::uint8_t* data);
  void CheckFrame();
  void CheckPage(PageChain& chain, const char* kind, std::uint32_t limit,
                 const std::uint8_t* buffer);
  void CheckReceivedImage();
  void CheckLogCounts();

  // The link.
  std::unique_ptr<TransferEngine> engine_ = std::make_unique<TransferEngine>(RetryPolicy::Never());
  TransferMailbox mailbox_;
  std::shared_ptr<FirmwareBuffer> firmware_ = std::make_shared<FirmwareBuffer>();
  std::uint32_t firmwareSeed_ = 0;
  bool firmwareFilled_ = false;  // filled when an upload is first posted
  std::size_t deliveries_ = 0;
  std::size_t deliveredBytes_ = 0;
  ConfigImage writeImage_;
  // The bare ring and parser.
  ReceiveRing ring_;
  FrameParser parser_;
  // The model and what it saw in the current delivery.
  ReplyModel model_;
  std::array<ModelReply, 600> replies_{};
  std::size_t replyCount_ = 0;
  std::size_t parsedCount_ = 0;
  // The transfers as they must go.
  PageChain upload_;
  PageChain write_;
  bool readStarted_ = false;
  std::uint32_t readRequests_ = 0;  // requests sent since the read began
  std::uint32_t readPages_ = 0;     // data pages 0 to 15 accepted since then
  bool readRequestDue_ = false;     // a request may follow in this delivery
  std::uint32_t readRequestsThisDelivery_ = 0;
  std::uint32_t readPagesThisDelivery_ = 0;
  // Replies of each kind the model found in this delivery, and the engine's
  // log lines that report them.
  std::array<std::uint32_t, 5> modelCounts_{};
  std::uint32_t pagesPastImage_ = 0;
  std::array<std::uint32_t, 7> lineCounts_{};
  // The received image as last seen.
  ConfigImage received_;
  // The frame being sent, assembled from the engine's Send calls.
  std::array<std::uint8_t, 136> frame_{};
  std::size_t frameLength_ = 0;
  // The stand-in device: its image and its answer to the last frame.
  std::array<std::uint8_t, 2048> device_{};
  std::array<std::uint8_t, 136> reply_{};
  std::size_t replyLength_ = 0;
};

// Buffer contents: windows into one table of generated bytes, at an offset
// that the input's seed picks, so that every page differs from the others
// and filling a buffer is one copy.
const std::uint8_t* Contents(std::uint32_t seed) {
  static const auto* table = [] {
    auto* bytes = new std::array<std::uint8_t, kFirmwareCapacity + std::size_t{256} * 64>;
    std::uint32_t state = 0x9E3779B9u;
    for (auto& b : *bytes) {
      state = state * 1664525u + 1013904223u;
      b = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
  }();
  return table->data() + std::size_t{seed % 256} * 64;
}

void Session::Begin(std::uint32_t firmwareSize, std::uint8_t seed) {
  // A fresh engine in the same storage: no allocation per run, and default-
  // rather than value-initialised, so its buffers are cleared once, not twice.
  std::destroy_at(engine_.get());
  ::new (static_cast<void*>(engine_.get())) TransferEngine(RetryPolicy::Never());
  ring_.Reset();
  parser_ = FrameParser{};
  model_ = ReplyModel{};
  upload_ = {};
  write_ = {};
  readStarted_ = false;
  readRequests_ = readPages_ = 0;
  received_ = ConfigImage{};
  frameLength_ = replyLength_ = 0;
  deliveries_ = deliveredBytes_ = 0;

  firmware_->size = std::min<std::uint32_t>(firmwareSize, kFirmwareCapacity);
  firmwareSeed_ = seed;
  firmwareFilled_ = false;
  std::memcpy(writeImage_.bytes.data(), Contents(seed + 1u), 2048);
  std::memcpy(device_.data(), Contents(seed + 2u), 2048);
  std::uint32_t sum = 0;
  for (int i = 4; i <= 1551; ++i) sum += device_[i];
  for (int i = 0; i < 4; ++i) device_[i] = static_cast<std::uint8_t>(sum >> (8 * i));
}

void Session::Post(Operation operation) {
  switch (operation) {
    case Operation::kFirmwareUpload:
      if (!firmwareFilled_) {
        const std::size_t pages = std::max<std::size_t>(1, (firmware_->size + 127) / 128);
        std::memcpy(firmware_->bytes.data(), Contents(firmwareSeed_), pages * 128);
        firmwareFilled_ = true;
      }
      mailbox_.Post(TransferRequest::Upload(firmware_));
      break;
    case Operation::kConfigWrite:
      mailbox_.Post(TransferRequest::Write(std::make_shared<const ConfigImage>(writeImage_)));
      break;
    default:
      mailbox_.Post(TransferRequest::Read());
      break;
  }
  const TransferRequest taken = mailbox_.Take();
  Check(taken.operation == operation, "post", "the worker took another operation");
  replyCount_ = parsedCount_ = 0;
  readRequestsThisDelivery_ = readPagesThisDelivery_ = 0;
  PageChain* chain = nullptr;
  readRequestDue_ = operation == Operation::kConfigRead;
  if (operation == Operation::kConfigRead) {
    readStarted_ = true;
    readRequests_ = readPages_ = 0;
  } else {
    chain = operation == Operation::kFirmwareUpload ? &upload_ : &write_;
    *chain = {};
    chain->started = true;
    chain->last = operation == Operation::kFirmwareUpload
                      ? std::max<std::uint32_t>(1, (firmware_->size + 127) / 128) - 1
                      : 15;
    chain->queued = 1;  // page 0
    // Writes and uploads start from an empty ring.
    model_.ResetRing();
    ring_.Reset();
  }
  modelCounts_ = {};
  lineCounts_ = {};
  pagesPastImage_ = 0;
  engine_->Start(taken, {}, *this);
  readRequestDue_ = false;
  CheckLogCounts();
  Check(frameLength_ == 0, "start", "a frame was left unfinished");
  Check(upload_.queued == 0 && write_.queued == 0, "start", "page 0 was not sent");
  Check(operation != Operation::kConfigRead || readRequests_ == 1, "start",
        "no request for page 0");
  CheckReceivedImage();
}

void Session::Deliver(std::span<const std::uint8_t> bytes) {
  ++deliveries_;
  deliveredBytes_ += bytes.size();
  replyCount_ = parsedCount_ = 0;
  modelCounts_ = {};
  lineCounts_ = {};
  pagesPastImage_ = 0;
  readRequestsThisDelivery_ = readPagesThisDelivery_ = 0;
  const std::size_t stored = model_.Receive(bytes, *this);

  // The bare ring and parser against the model: same bytes kept, same
  // replies in the same order, same bytes left waiting.
  Check(ring_.Store(bytes) == stored, "ring", "stored a different count than the model");
  Check(ring_.Available() <= 2047, "ring", "holds more than 2047 bytes");
  parser_.Parse(ring_, *this);
  Check(parsedCount_ == replyCount_, "parser", "missed a reply that the model found");
  Check(ring_.Available() == model_.Unread(), "parser", "left a different count unread");

  readRequestDue_ = readPagesThisDelivery_ > 0;
  engine_->Receive(bytes, {}, *this);
  Check(frameLength_ == 0, "deliver", "a frame was left unfinished");
  Check(upload_.queued == 0, "deliver", "an acknowledged upload page was not sent");
  Check(write_.queued == 0, "deliver", "an acknowledged image page was not sent");
  Check(readRequestsThisDelivery_ <= readPagesThisDelivery_, "deliver",
        "more read requests than pages received");
  CheckLogCounts();
  CheckReceivedImage();
}

// The engine's own parser, seen through its log: one line per reply the
// model found. A data page past the image may be logged or not.
void Session::CheckLogCounts() {
  const auto model = [this](Event e) { return modelCounts_[static_cast<std::size_t>(e)]; };
  Check(lineCounts_[kAckLine] == model(Event::kFirmwareAck) + model(Event::kEepromAck), "log",
        "acknowledgements logged differ from those received");
  Check(lineCounts_[kFrameErrorLine] == model(Event::kFrameCheckError), "log",
        "bad data headers logged differ from those received");
  Check(lineCounts_[kDataErrorLine] == model(Event::kDataSumError), "log",
        "bad data pages logged differ from those received");
  const std::uint32_t pages = model(Event::kPageData);
  Check(lineCounts_[kPageLine] + pagesPastImage_ >= pages && lineCounts_[kPageLine] <= pages, "log",
        "data pages logged differ from those received");
}

void Session::OnReply(Event event, std::uint16_t page) {
  Check(replyCount_ < replies_.size(), "model", "too many replies in one delivery");
  ++modelCounts_[static_cast<std::size_t>(event)];
  if (event == Event::kPageData && page >= kImagePages)
    ++pagesPastImage_;
  ModelReply& r = replies_[replyCount_++];
  r.event = event;
  r.page = page;
  if (event == Event::kPageData && page < kImagePages) {
    std::memcpy(r.data.data(), model_.Image().data() + std::size_t{page} * 128, 128);
    if (readStarted_) {
      ++readPages_;
      ++readPagesThisDelivery_;
    }
  }
  // Acknowledgements are counted, not matched: each one is due a next page.
  PageChain* chain = event == Event::kFirmwareAck ? &upload_
                     : event == Event::kEepromAck ? &write_
                                                  : nullptr;
  if (chain != nullptr && chain->started && chain->current < chain->last) {
    ++chain->current;
    ++chain->queued;
  }
}

void Session::ExpectParsed(Event event, std::uint16_t page, const std::uint8_t* data) {
  Check(parsedCount_ < replyCount_, "parser", "found a reply the model did not");
  const ModelReply& r = replies_[parsedCount_++];
  Check(r.event == event && (event != Event::kPageData || r.page == page), "parser",
        "found another reply than the model");
  if (data != nullptr && page < kImagePages)
    Check(std::memcmp(data, r.data.data(), 128) == 0, "parser", "page data differs");
}

void Session::OnParserLog(std::string_view line) {
  const Event event =
      line == kFrameChecksumErrorLine ? Event::kFrameCheckError : Event::kDataSumError;
  Check(line == kFrameChecksumErrorLine || line == kPageDataChecksumErrorLine, "parser",
        "unknown log line");
  ExpectParsed(event, 0, nullptr);
}

// Frames may come in any pieces; each is checked once it is whole.
void Session::Send(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    // A header first; after it, the 128 bytes of a page.
    const std::size_t want = frameLength_ < 8 ? 8 - frameLength_ : 136 - frameLength_;
    const std::size_t n = std::min(want, bytes.size());
    std::memcpy(frame_.data() + frameLength_, bytes.data(), n);
    frameLength_ += n;
    bytes = bytes.subspan(n);
    if (frameLength_ < 8)
      continue;
    const std::uint8_t code = frame_[1];
    Check(code == 0x40 || code == 0x80 || code == 0x90, "send", "a frame with another code", code);
    if (frameLength_ == 136 || code == 0x90) {
      CheckFrame();
      frameLength_ = 0;
    }
  }
}

void Session::CheckFrame() {
  const std::uint8_t* f = frame_.data();
  Check(f[0] == 0xFF, "send", "a frame without its marker");
  Check(f[6] == 0 && f[7] == CheckByte(f), "send", "a header with a wrong check");
  const std::uint32_t page = static_cast<std::uint32_t>(f[2] << 8 | f[3]);
  const std::uint16_t sum = static_cast<std::uint16_t>(f[4] << 8 | f[5]);
  if (f[1] == 0x90) {
    Check(sum == 0, "send", "a read request with a data sum");
    Check(readRequestDue_, "send", "a read request nobody asked for");
    Check(page == readRequests_ && page < kImagePages, "send", "a read request out of order", page);
    ++readRequests_;
    ++readRequestsThisDelivery_;
  } else {
    Check(sum == DataSum(f + 8), "send", "a page with a wrong data sum");
    if (f[1] == 0x40) {
      CheckPage(upload_, "upload", kFirmwarePages, firmware_->bytes.data());
    } else {
      CheckPage(write_, "write", kImagePages, writeImage_.bytes.data());
      std::memcpy(device_.data() + std::size_t{page} * 128, f + 8, 128);  // the device stores it
    }
  }
  replyLength_ = 0;
  std::memcpy(reply_.data(), f, 8);
  reply_[1] = static_cast<std::uint8_t>(f[1] + 1);
  if (f[1] == 0x90) {
    std::memcpy(reply_.data() + 8, device_.data() + std::size_t{page} * 128, 128);
    const std::uint16_t dataSum = DataSum(reply_.data() + 8);
    reply_[4] = static_cast<std::uint8_t>(dataSum >> 8);
    reply_[5] = static_cast<std::uint8_t>(dataSum);
    replyLength_ = 136;
  } else {
    reply_[2] = reply_[3] = reply_[4] = reply_[5] = 0;
    replyLength_ = 8;
  }
  reply_[7] = CheckByte(reply_.data());
}

void Session::CheckPage(PageChain& chain, const char* kind, std::uint32_t limit,
                        const std::uint8_t* buffer) {
  const std::uint32_t page = static_cast<std::uint32_t>(frame_[2] << 8 | frame_[3]);
  Check(chain.queued > 0, kind, "a page sent unasked", page);
  Check(page == chain.nextSent, kind, "a page out of order", page);
  Check(page <= chain.last && page < limit, kind, "a page beyond the last", page);
  Check(std::memcmp(frame_.data() + 8, buffer + std::size_t{page} * 128, 128) == 0, kind,
        "a page that carries other bytes than the buffer's", page);
  --chain.queued;
  ++chain.nextSent;
}

void Session::OnLogLine(std::string_view line) {
  static constexpr std::string_view kLines[] = {
      "Page receive ack.",
      "Send finished.",
      "Eeprom page received.",
      "Eeprom read finished.",
      "Eeprom read checksum error. Please upload new eeprom data to device.",
      "Eeprom frame checksum error.",
      "Eeprom page data checksum error.",
  };
  static constexpr std::string_view kPageLines[] = {
      "Firmware page sent [",
      "Eeprom page sent [",
      "Eeprom read request, page [",
  };
  for (std::size_t i = 0; i < std::size(kLines); ++i) {
    if (line == kLines[i]) {
      ++lineCounts_[i];
      return;
    }
  }
  for (std::string_view start : kPageLines) {
    if (line.substr(0, start.size()) == start && line.size() > start.size() + 2 &&
        line.substr(line.size() - 2) == "]." &&
        line.find_first_not_of("0123456789", start.size()) == line.size() - 2)
      return;
  }
  FuzzFailure("log", "unknown line: " + std::string(line));
}

// Outcomes come from the replies alone: a transfer finishes once, after its
// last page, and only if it was started; the engine never times or reads.
void Session::OnOutcome(const LinkOutcome& outcome) {
  switch (outcome.kind) {
    case LinkOutcome::Kind::kFinished:
      if (outcome.operation == Operation::kConfigRead) {
        Check(outcome.image != nullptr, "outcome", "a finished read without its image");
        if (outcome.image != nullptr)
          CheckHandOver(*outcome.image);
        return;
      }
      {
        PageChain& chain = outcome.operation == Operation::kFirmwareUpload ? upload_ : write_;
        Check(chain.started && !chain.finished && chain.current == chain.last, "outcome",
              "a transfer reported finished that was not started or not at its last page");
        chain.finished = true;
      }
      return;
    case LinkOutcome::Kind::kReadChecksumFailed:
      Check(readStarted_ && readRequests_ == kImagePages && readPages_ >= kImagePages, "outcome",
            "a checksum failure before all 16 pages of a read");
      Check(!ImageChecksumHoldsIn(engine_->ReceivedImage().bytes.data()), "outcome",
            "a checksum failure on an image whose checksum holds");
      return;
    case LinkOutcome::Kind::kNoReply:
    case LinkOutcome::Kind::kPortFailed:
      Check(false, "outcome", "the engine reported time or the port");
      return;
  }
}

void Session::CheckHandOver(const ConfigImage& image) {
  Check(readStarted_ && readRequests_ == kImagePages, "hand-over",
        "an image handed over before all 16 pages were requested");
  Check(readPages_ >= kImagePages, "hand-over", "an image handed over before 16 pages arrived");
  Check(ImageChecksumHoldsIn(image.bytes.data()), "hand-over",
        "an image handed over whose checksum fails");
  Check(image.bytes == engine_->ReceivedImage().bytes, "hand-over",
        "the image handed over is not the one received");
}

// The received image changes only where a page arrived in this delivery,
// and only to that page's bytes.
void Session::CheckReceivedImage() {
  const auto& now = engine_->ReceivedImage().bytes;
  if (std::memcmp(received_.bytes.data(), now.data(), now.size()) == 0)
    return;
  for (std::size_t page = 0; page < kImagePages; ++page) {
    const std::uint8_t* was = received_.bytes.data() + page * 128;
    const std::uint8_t* is = now.data() + page * 128;
    if (std::memcmp(was, is, 128) == 0)
      continue;
    bool arrived = false;
    for (std::size_t i = 0; i < replyCount_ && !arrived; ++i) {
      const ModelReply& r = replies_[i];
      arrived =
          r.event == Event::kPageData && r.page == page && std::memcmp(r.data.data(), is, 128) == 0;
    }
    Check(arrived, "received image", "a page changed unasked", static_cast<long>(page));
  }
  received_.bytes = now;
}

std::span<const std::uint8_t> Session::Reply() {
  return std::span(reply_).first(replyLength_);
}

}  // namespace
}  // namespace vardex

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vardex;
  static auto* session = new Session;  // lives as long as the process
  if (size < 3)
    return 0;
  session->Begin(static_cast<std::uint32_t>(data[0] | data[1] << 8) * 4, data[2]);
  std::size_t at = 3;
  auto arg = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
  auto take = [&](std::size_t n) {
    const std::size_t count = std::min(n, size - at);
    const auto bytes = std::span(data + at, count);
    at += count;
    return bytes;
  };
  static std::array<std::uint8_t, 4096> scratch;
  // A run's time is bounded by what it delivers: enough for whole config
  // reads and writes with restarts and faults, or an upload of 500 pages
  // (acknowledged by ring-fulls of acknowledgements).
  constexpr std::size_t kMaxDeliveries = 64;
  constexpr std::size_t kMaxDeliveredBytes = 8192;
  while (at < size && session->Deliveries() < kMaxDeliveries &&
         session->DeliveredBytes() < kMaxDeliveredBytes) {
    const std::uint8_t command = data[at++];
    if (command < 0x80) {
      session->Deliver(take(command + 1u));
      continue;
    }
    switch (command) {
      case 0x80:
        session->Post(Operation::kFirmwareUpload);
        break;
      case 0x81:
        session->Post(Operation::kConfigWrite);
        break;
      case 0x82:
        session->Post(Operation::kConfigRead);
        break;
      case 0x83:
        session->Deliver({});
        break;
      case 0x84:
        session->Deliver(session->Reply());
        break;
      case 0x85:
        for (int n = arg() % 16; n >= 0; --n) session->Deliver(session->Reply());
        break;
      case 0x86: {
        const auto reply = session->Reply();
        const std::size_t k = reply.empty() ? 0 : arg() % reply.size();
        std::copy(reply.begin(), reply.end(), scratch.begin());
        session->Deliver(std::span(scratch).first(k));
        session->Deliver(std::span(scratch).subspan(k, reply.size() - k));
        break;
      }
      case 0x87: {
        const auto reply = session->Reply();
        std::copy(reply.begin(), reply.end(), scratch.begin());
        if (!reply.empty())
          scratch[arg() % reply.size()] ^= 0x01;
        session->Deliver(std::span(scratch).first(reply.size()));
        break;
      }
      case 0x88: {
        // More than the ring holds, made of whole replies.
        const auto reply = session->Reply();
        const std::size_t n = (std::size_t{arg()} + 1) * 16;
        for (std::size_t i = 0; i < n; ++i)
          scratch[i] = reply.empty() ? 0xFF : reply[i % reply.size()];
        session->Deliver(std::span(scratch).first(n));
        break;
      }
      case 0x89:
        session->SpoilDeviceImage(arg());
        break;
      case 0x8A: {
        const auto reply = session->Reply();
        std::copy(reply.begin(), reply.end(), scratch.begin());
        std::copy(reply.begin(), reply.end(), scratch.begin() + reply.size());
        session->Deliver(std::span(scratch).first(2 * reply.size()));
        break;
      }
      default:
        session->Deliver(std::span(&command, 1));
        break;
    }
  }
  return 0;
}
