#include "transfer_engine.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace vardex {
namespace {

constexpr std::uint32_t kLastImagePage = ConfigImage::kPageCount - 1;

std::span<const std::uint8_t, kPageSize> PageOf(std::span<const std::uint8_t> bytes,
                                                std::uint32_t page) {
  return bytes.subspan(static_cast<std::size_t>(page) * kPageSize).first<kPageSize>();
}

// The transfer whose reply a frame code is.
Operation OperationOfReply(FrameCode code) {
  switch (code) {
    case FrameCode::kFirmwarePageAck:
      return Operation::kFirmwareUpload;
    case FrameCode::kEepromPageAck:
      return Operation::kConfigWrite;
    case FrameCode::kEepromPageData:
      return Operation::kConfigRead;
    default:
      return Operation::kNone;
  }
}

}  // namespace

// The parser's events for one Receive() call, bound to that call's output.
// Once the engine has begun to discard (a damaged reply is asked for again)
// the rest of the delivery is dropped unheard.
class TransferEngine::Replies final : public FrameEvents {
 public:
  Replies(TransferEngine& engine, TransferOutput& out) : engine_(engine), out_(out) {}
  void OnFirmwarePageAck() override {
    if (Heard())
      engine_.OnFirmwarePageAck(out_);
  }
  void OnEepromPageAck() override {
    if (Heard())
      engine_.OnEepromPageAck(out_);
  }
  void OnEepromPageData(std::uint16_t page,
                        std::span<const std::uint8_t, kPageSize> data) override {
    if (Heard())
      engine_.OnEepromPageData(page, data, out_);
  }
  void OnParserLog(std::string_view line) override {
    if (Heard())
      out_.OnLogLine(line);
  }
  void OnDamagedReply(FrameCode code) override {
    if (Heard())
      engine_.OnDamagedReply(code);
  }

 private:
  bool Heard() const { return !engine_.watch_.Discarding(); }

  TransferEngine& engine_;
  TransferOutput& out_;
};

void TransferEngine::Receive(std::span<const std::uint8_t> bytes, Time now, TransferOutput& out) {
  now_ = now;
  if (watch_.Discarding()) {
    if (!bytes.empty())
      watch_.Heard(now);
    return;
  }
  ring_.Store(bytes);
  Replies replies(*this, out);
  parser_.Parse(ring_, replies);
  DiscardIfQuieting();
}

void TransferEngine::Tick(Time now, TransferOutput& out) {
  now_ = now;
  const ReplyWatch::Due due = watch_.Check(now, parser_.Collecting());
  switch (due.action) {
    case ReplyWatch::Due::Action::kSendAgain:
      SendAgain(due.reason, out);
      break;
    case ReplyWatch::Due::Action::kSendNext:
      watch_.Sent(now);
      SendCurrent(watch_.Watched(), out);
      break;
    case ReplyWatch::Due::Action::kNothing:
      break;
  }
  DiscardIfQuieting();
}

void TransferEngine::DiscardIfQuieting() {
  if (!watch_.Discarding())
    return;
  ring_.Reset();
  parser_.Reset();
}

void TransferEngine::Start(const TransferRequest& request, Time now, TransferOutput& out) {
  now_ = now;
  const Operation operation = request.operation;
  switch (operation) {
    case Operation::kFirmwareUpload:
      if (!request.firmware)
        return;
      data_.firmwareCounters = {request.PageCount() - 1, 0};
      data_.firmware = request.firmware;
      break;
    case Operation::kConfigWrite:
      if (!request.image)
        return;
      data_.writeCounters = {request.PageCount() - 1, 0};
      data_.writeImage = request.image;
      break;
    case Operation::kConfigRead:
      data_.readCounters = {request.PageCount() - 1, 0};
      break;
    case Operation::kNone:
      return;
  }
  UnfinishedFlag(operation) = true;
  // The ring is kept for a read: a reply may already be on its way. What a
  // retry was discarding is gone already.
  if (operation != Operation::kConfigRead)
    ring_.Reset();
  watch_.Begin(operation, now);
  SendCurrent(operation, out);
}

bool& TransferEngine::UnfinishedFlag(Operation operation) {
  if (operation == Operation::kFirmwareUpload)
    return uploadUnfinished_;
  return operation == Operation::kConfigWrite ? writeUnfinished_ : readUnfinished_;
}

TransferEngine::PageChain TransferEngine::ChainOf(Operation operation) {
  if (operation == Operation::kFirmwareUpload) {
    return {data_.firmwareCounters, &TransferEngine::SendFirmwarePage, "Firmware page sent [%d]."};
  }
  return {data_.writeCounters, &TransferEngine::SendImagePage, "Eeprom page sent [%d]."};
}

TransferCounters& TransferEngine::CountersOf(Operation operation) {
  return operation == Operation::kConfigRead ? data_.readCounters : ChainOf(operation).counters;
}

void TransferEngine::SendCurrent(Operation operation, TransferOutput& out) {
  const std::uint32_t page = CountersOf(operation).currentPage;
  if (operation == Operation::kConfigRead) {
    SendReadRequest(page, out);
    Log("Eeprom read request, page [%d].", page, out);
  } else {
    const PageChain chain = ChainOf(operation);
    (this->*chain.send)(page, out);
    Log(chain.sentLine, page, out);
  }
  if (UnfinishedFlag(operation))
    ReportProgress(operation, page, out);
}

void TransferEngine::SendAgain(ReplyWatch::Reason reason, TransferOutput& out) {
  const Operation operation = watch_.Watched();
  std::snprintf(line_.data(), line_.size(), kAskingAgainFormat,
                reason == ReplyWatch::Reason::kNoReply ? "No" : "Damaged",
                CountersOf(operation).currentPage, watch_.Attempt() + 1, watch_.Attempts());
  out.OnLogLine(std::string_view(line_.data()));
  watch_.SentAgain(now_);
  SendCurrent(operation, out);
}

void TransferEngine::ReportProgress(Operation operation, std::uint32_t pagesDone,
                                    TransferOutput& out) {
  TransferProgress progress{operation, pagesDone, CountersOf(operation).lastPage + 1};
  if (watch_.Watches(operation)) {
    progress.attempt = watch_.Attempt();
    progress.attempts = watch_.Attempts();
    progress.askedAgain = watch_.AskedAgain();
  }
  out.OnProgress(progress);
}

// Acknowledgements are counted, not matched: each one advances by a page.
void TransferEngine::AdvanceOnAck(Operation operation, TransferOutput& out) {
  const PageChain chain = ChainOf(operation);
  out.OnLogLine("Page receive ack.");
  TransferCounters& counters = chain.counters;
  bool& running = UnfinishedFlag(operation);
  const bool watched = watch_.Watches(operation);
  if (counters.currentPage < counters.lastPage) {
    ++counters.currentPage;
    // After a page that went more than once, the next waits for a quiet
    // line (Tick sends it), so that a second answer is not counted for it.
    if (!watched || watch_.Answered(now_)) {
      if (watched)
        watch_.Sent(now_);
      SendCurrent(operation, out);
    }
    return;
  }
  out.OnLogLine("Send finished.");
  // An acknowledgement after the last page, or with nothing posted, ends
  // nothing: only a transfer that was started finishes.
  if (!running)
    return;
  running = false;
  // The last share of what was sent may go now.
  if (operation == Operation::kFirmwareUpload)
    data_.firmware.reset();
  else
    data_.writeImage.reset();
  const std::uint32_t pages = counters.lastPage + 1;
  ReportProgress(operation, pages, out);
  if (watched)
    watch_.End();
  out.OnOutcome(LinkOutcome::Of(LinkOutcome::Kind::kFinished, operation, pages, pages));
}

void TransferEngine::OnFirmwarePageAck(TransferOutput& out) {
  AdvanceOnAck(Operation::kFirmwareUpload, out);
}

void TransferEngine::OnEepromPageAck(TransferOutput& out) {
  AdvanceOnAck(Operation::kConfigWrite, out);
}

void TransferEngine::OnDamagedReply(FrameCode code) {
  const Operation operation = OperationOfReply(code);
  if (watch_.Watches(operation))
    watch_.Damaged(now_);
}

void TransferEngine::OnEepromPageData(std::uint16_t page,
                                      std::span<const std::uint8_t, kPageSize> data,
                                      TransferOutput& out) {
  // The image has 16 pages; a page beyond it is dropped and does not count.
  if (page > kLastImagePage)
    return;
  out.OnLogLine("Eeprom page received.");
  // Only the page the read waits for counts. Any other (a repeat, a late
  // reply to an earlier request, a page nobody asked for) would shift the
  // read against the device's pages or overwrite the window's unsaved edits.
  TransferCounters& counters = data_.readCounters;
  if (!readUnfinished_ || page != counters.currentPage)
    return;
  std::copy(data.begin(), data.end(),
            receivedImage_.bytes.begin() + static_cast<std::ptrdiff_t>(page) * kPageSize);
  const bool watched = watch_.Watches(Operation::kConfigRead);
  if (counters.currentPage < kLastImagePage) {
    ++counters.currentPage;
    // Data replies name their page, so a second answer is never counted:
    // the next request goes at once, even after a retry.
    if (watched)
      watch_.Sent(now_);
    SendCurrent(Operation::kConfigRead, out);
    return;
  }
  readUnfinished_ = false;
  out.OnLogLine("Eeprom read finished.");
  constexpr std::uint32_t kPages = kLastImagePage + 1;
  ReportProgress(Operation::kConfigRead, kPages, out);
  if (watched)
    watch_.End();
  LinkOutcome outcome =
      LinkOutcome::Of(LinkOutcome::Kind::kFinished, Operation::kConfigRead, kPages, kPages);
  // The one copy of what was read: the window or `vardex` keeps it, while
  // the next read fills the engine's own pages again.
  outcome.image = std::make_shared<const ConfigImage>(receivedImage_);
  // A broken image still goes with the outcome: a verify compares it page by
  // page; nobody shows it.
  if (!ImageChecksumHolds(receivedImage_)) {
    out.OnLogLine(kReadChecksumErrorLine);
    outcome.kind = LinkOutcome::Kind::kReadChecksumFailed;
  }
  out.OnOutcome(outcome);
}

void TransferEngine::SendPage(FrameCode code, std::span<const std::uint8_t, kPageSize> page,
                              std::uint32_t number, TransferOutput& out) {
  const FrameHeader header =
      BuildFrameHeader(code, static_cast<std::uint16_t>(number), PageDataSum(page));
  out.Send(header);
  out.Send(page);
}

void TransferEngine::SendFirmwarePage(std::uint32_t page, TransferOutput& out) {
  SendPage(FrameCode::kFirmwarePage, PageOf(data_.firmware->bytes, page), page, out);
}

void TransferEngine::SendImagePage(std::uint32_t page, TransferOutput& out) {
  SendPage(FrameCode::kEepromPage, PageOf(data_.writeImage->bytes, page), page, out);
}

void TransferEngine::SendReadRequest(std::uint32_t page, TransferOutput& out) {
  out.Send(BuildFrameHeader(FrameCode::kEepromReadRequest, static_cast<std::uint16_t>(page), 0));
}

void TransferEngine::Log(const char* format, std::uint32_t page, TransferOutput& out) {
  std::snprintf(line_.data(), line_.size(), format, static_cast<int>(page));
  out.OnLogLine(std::string_view(line_.data()));
}

}  // namespace vardex
