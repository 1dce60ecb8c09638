#include "transfer_engine.h"

#include <cstdio>

namespace vardex {
namespace {

constexpr std::uint32_t kLastImagePage = ConfigImage::kPageCount - 1;

std::span<const std::uint8_t, kPageSize> PageOf(std::span<const std::uint8_t> bytes,
                                                std::uint32_t page) {
  return bytes.subspan(static_cast<std::size_t>(page) * kPageSize).first<kPageSize>();
}

}  // namespace

TransferEngine::TransferEngine(TransferMailbox& mailbox, LinkListener& listener)
    : mailbox_(mailbox), listener_(listener) {}

void TransferEngine::Receive(std::span<const std::uint8_t> bytes) {
  ring_.Store(bytes);
  parser_.Parse(ring_, *this);
}

void TransferEngine::TakePendingOperation(const std::atomic<bool>* closing) {
  const Operation operation = mailbox_.Take(data_, closing);
  switch (operation) {
    case Operation::kFirmwareUpload:
    case Operation::kConfigWrite: {
      const PageChain chain = ChainOf(operation);
      ring_.Reset();
      (this->*chain.send)(chain.counters.current_page);
      Log(chain.sent_line, chain.counters.current_page);
      break;
    }
    case Operation::kConfigRead:
      // The ring is kept: a reply may already be on its way.
      read_running_ = true;
      SendReadRequest(data_.read_counters.current_page);
      Log("Eeprom read request, page [%d].", data_.read_counters.current_page);
      break;
    case Operation::kNone:
      break;
  }
}

TransferEngine::PageChain TransferEngine::ChainOf(Operation operation) {
  if (operation == Operation::kFirmwareUpload) {
    return {data_.firmware_counters, &TransferEngine::SendFirmwarePage, "Firmware page sent [%d]."};
  }
  return {data_.write_counters, &TransferEngine::SendImagePage, "Eeprom page sent [%d]."};
}

// Acknowledgements are counted, not matched: each one advances by a page.
void TransferEngine::AdvanceOnAck(Operation operation) {
  const PageChain chain = ChainOf(operation);
  Log("Page receive ack.");
  TransferCounters& counters = chain.counters;
  if (counters.current_page < counters.last_page) {
    ++counters.current_page;
    (this->*chain.send)(counters.current_page);
    Log(chain.sent_line, counters.current_page);
    listener_.OnProgress(operation, counters.current_page);
  } else {
    Log("Send finished.");
    listener_.OnProgress(operation, counters.last_page + 1);
  }
}

void TransferEngine::OnFirmwarePageAck() {
  AdvanceOnAck(Operation::kFirmwareUpload);
}

void TransferEngine::OnEepromPageAck() {
  AdvanceOnAck(Operation::kConfigWrite);
}

void TransferEngine::OnEepromPageData(std::uint16_t page,
                                      std::span<const std::uint8_t, kPageSize> data) {
  // The image has 16 pages; a page beyond it is dropped and does not count.
  if (page > kLastImagePage)
    return;
  Log("Eeprom page received.");
  // A page that nobody asked for must neither trigger requests nor reach the
  // window, where it would overwrite unsaved edits.
  if (!read_running_)
    return;
  std::copy(data.begin(), data.end(),
            received_image_.bytes.begin() + static_cast<std::ptrdiff_t>(page) * kPageSize);
  TransferCounters& counters = data_.read_counters;
  if (counters.current_page < kLastImagePage) {
    ++counters.current_page;
    SendReadRequest(counters.current_page);
    Log("Eeprom read request, page [%d].", counters.current_page);
    listener_.OnProgress(Operation::kConfigRead, counters.current_page);
    return;
  }
  read_running_ = false;
  Log("Eeprom read finished.");
  listener_.OnProgress(Operation::kConfigRead, kLastImagePage + 1);
  if (!ImageChecksumHolds(received_image_)) {
    Log("Eeprom read checksum error. Please upload new eeprom data to device.");
    return;
  }
  listener_.OnImageVerified(received_image_);
}

void TransferEngine::OnParserLog(std::string_view line) {
  Log(line);
}

void TransferEngine::SendPage(FrameCode code, std::span<const std::uint8_t, kPageSize> page,
                              std::uint32_t number) {
  const FrameHeader header =
      BuildFrameHeader(code, static_cast<std::uint16_t>(number), PageDataSum(page));
  Write(header);
  Write(page);
}

void TransferEngine::SendFirmwarePage(std::uint32_t page) {
  SendPage(FrameCode::kFirmwarePage, PageOf(data_.firmware.bytes, page), page);
}

void TransferEngine::SendImagePage(std::uint32_t page) {
  SendPage(FrameCode::kEepromPage, PageOf(data_.write_image.bytes, page), page);
}

void TransferEngine::SendReadRequest(std::uint32_t page) {
  Write(BuildFrameHeader(FrameCode::kEepromReadRequest, static_cast<std::uint16_t>(page), 0));
}

void TransferEngine::Write(std::span<const std::uint8_t> bytes) {
  if (port_ != nullptr)
    port_->Write(bytes);
}

void TransferEngine::Log(const char* format, std::uint32_t page) {
  std::snprintf(line_.data(), line_.size(), format, static_cast<int>(page));
  Log(std::string_view(line_.data()));
}

}  // namespace vardex
