#include "transfer_engine.h"

#include <algorithm>
#include <cstdio>

namespace vardex {
namespace {

constexpr std::uint32_t kLastImagePage = ConfigImage::kPageCount - 1;

std::span<const std::uint8_t, kPageSize> PageOf(std::span<const std::uint8_t> bytes,
                                                std::uint32_t page) {
  return bytes.subspan(static_cast<std::size_t>(page) * kPageSize).first<kPageSize>();
}

}  // namespace

// The parser's events for one Receive() call, bound to that call's output.
class TransferEngine::Replies final : public FrameEvents {
 public:
  Replies(TransferEngine& engine, TransferOutput& out) : engine_(engine), out_(out) {}
  void OnFirmwarePageAck() override { engine_.OnFirmwarePageAck(out_); }
  void OnEepromPageAck() override { engine_.OnEepromPageAck(out_); }
  void OnEepromPageData(std::uint16_t page,
                        std::span<const std::uint8_t, kPageSize> data) override {
    engine_.OnEepromPageData(page, data, out_);
  }
  void OnParserLog(std::string_view line) override { out_.OnLogLine(line); }

 private:
  TransferEngine& engine_;
  TransferOutput& out_;
};

void TransferEngine::Receive(std::span<const std::uint8_t> bytes, TransferOutput& out) {
  ring_.Store(bytes);
  Replies replies(*this, out);
  parser_.Parse(ring_, replies);
}

void TransferEngine::Start(const TransferRequest& request, TransferOutput& out) {
  const Operation operation = request.operation;
  switch (operation) {
    case Operation::kFirmwareUpload:
      if (!request.firmware)
        return;
      data_.firmwareCounters = {request.PageCount() - 1, 0};
      data_.firmware = request.firmware;
      break;
    case Operation::kConfigWrite:
      data_.writeCounters = {request.PageCount() - 1, 0};
      data_.writeImage = *request.image;
      break;
    case Operation::kConfigRead:
      data_.readCounters = {request.PageCount() - 1, 0};
      break;
    case Operation::kNone:
      return;
  }
  UnfinishedFlag(operation) = true;
  switch (operation) {
    case Operation::kFirmwareUpload:
    case Operation::kConfigWrite: {
      const PageChain chain = ChainOf(operation);
      ring_.Reset();
      (this->*chain.send)(chain.counters.currentPage, out);
      Log(chain.sentLine, chain.counters.currentPage, out);
      out.OnProgress({operation, 0, chain.counters.lastPage + 1});
      break;
    }
    case Operation::kConfigRead:
      // The ring is kept: a reply may already be on its way.
      SendReadRequest(data_.readCounters.currentPage, out);
      Log("Eeprom read request, page [%d].", data_.readCounters.currentPage, out);
      out.OnProgress({operation, 0, kLastImagePage + 1});
      break;
    case Operation::kNone:
      break;
  }
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

// Acknowledgements are counted, not matched: each one advances by a page.
void TransferEngine::AdvanceOnAck(Operation operation, TransferOutput& out) {
  const PageChain chain = ChainOf(operation);
  out.OnLogLine("Page receive ack.");
  TransferCounters& counters = chain.counters;
  bool& running = UnfinishedFlag(operation);
  if (counters.currentPage < counters.lastPage) {
    ++counters.currentPage;
    (this->*chain.send)(counters.currentPage, out);
    Log(chain.sentLine, counters.currentPage, out);
    if (running)
      out.OnProgress({operation, counters.currentPage, counters.lastPage + 1});
    return;
  }
  out.OnLogLine("Send finished.");
  // An acknowledgement after the last page, or with nothing posted, ends
  // nothing: only a transfer that was started finishes.
  if (!running)
    return;
  running = false;
  if (operation == Operation::kFirmwareUpload)
    data_.firmware.reset();  // the last share of the file may go now
  const std::uint32_t pages = counters.lastPage + 1;
  out.OnProgress({operation, pages, pages});
  out.OnOutcome(LinkOutcome::Of(LinkOutcome::Kind::kFinished, operation, pages, pages));
}

void TransferEngine::OnFirmwarePageAck(TransferOutput& out) {
  AdvanceOnAck(Operation::kFirmwareUpload, out);
}

void TransferEngine::OnEepromPageAck(TransferOutput& out) {
  AdvanceOnAck(Operation::kConfigWrite, out);
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
  if (counters.currentPage < kLastImagePage) {
    ++counters.currentPage;
    SendReadRequest(counters.currentPage, out);
    Log("Eeprom read request, page [%d].", counters.currentPage, out);
    out.OnProgress({Operation::kConfigRead, counters.currentPage, kLastImagePage + 1});
    return;
  }
  readUnfinished_ = false;
  out.OnLogLine("Eeprom read finished.");
  constexpr std::uint32_t kPages = kLastImagePage + 1;
  out.OnProgress({Operation::kConfigRead, kPages, kPages});
  LinkOutcome outcome =
      LinkOutcome::Of(LinkOutcome::Kind::kFinished, Operation::kConfigRead, kPages, kPages);
  outcome.image = &receivedImage_;
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
  SendPage(FrameCode::kEepromPage, PageOf(data_.writeImage.bytes, page), page, out);
}

void TransferEngine::SendReadRequest(std::uint32_t page, TransferOutput& out) {
  out.Send(BuildFrameHeader(FrameCode::kEepromReadRequest, static_cast<std::uint16_t>(page), 0));
}

void TransferEngine::Log(const char* format, std::uint32_t page, TransferOutput& out) {
  std::snprintf(line_.data(), line_.size(), format, static_cast<int>(page));
  out.OnLogLine(std::string_view(line_.data()));
}

}  // namespace vardex
