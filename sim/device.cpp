#include "device.h"

#include <algorithm>
#include <utility>

namespace vardex::sim {

Device::Device(const SimOptions& options, DeviceMemory& memory, SerialLine& line, Flood& flood,
               const EventLog& log)
    : options_(options), memory_(memory), line_(line), flood_(flood), log_(log), faults_(options) {}

bool Device::Handle(const Request& request) {
  switch (request.code) {
    case kEepromPage:
    case kFirmwarePage:
      return StorePage(request);
    case kEepromReadRequest:
      return SendPage(request);
    default:
      return true;
  }
}

namespace {

// What a page write means, by the code that carried it.
struct PageTarget {
  Region region;
  const char* name;
  std::uint8_t ack;
};

PageTarget TargetOf(std::uint8_t code) {
  if (code == kEepromPage)
    return {Region::kImage, "image", kEepromPageAck};
  return {Region::kFirmware, "firmware", kFirmwarePageAck};
}

}  // namespace

// Pages outside the memory are not acknowledged: the device stays silent, as
// it does for any frame it cannot use. The copy on disk is made before the
// acknowledgement, so a tool that has seen the ack finds the page in the file.
bool Device::StorePage(const Request& request) {
  const PageTarget target = TargetOf(request.code);
  std::span<const std::uint8_t> data = request.data;
  std::array<std::uint8_t, kPageSize> changed{};
  if (target.region == Region::kImage &&
      std::ranges::find(options_.storeDifferently, request.page) !=
          options_.storeDifferently.end() &&
      data.size() == changed.size()) {
    std::copy(data.begin(), data.end(), changed.begin());
    std::swap(changed[16], changed[17]);
    data = changed;
    log_.Line("image page %u stored with bytes 16 and 17 swapped", request.page);
  }
  if (target.region == Region::kImage &&
      std::ranges::find(options_.storeWrong, request.page) != options_.storeWrong.end() &&
      data.size() == changed.size()) {
    std::copy(data.begin(), data.end(), changed.begin());
    ++changed[16];
    data = changed;
    log_.Line("image page %u stored with byte 16 one higher", request.page);
  }
  if (!memory_.StorePage(target.region, request.page, data)) {
    log_.Line("%s page %u is out of range, no reply", target.name, request.page);
    return true;
  }
  log_.Line("%s page %u stored", target.name, request.page);
  const std::string& file =
      target.region == Region::kImage ? options_.saveImageFile : options_.firmwareOutFile;
  if (!file.empty() && !memory_.Save(target.region, file))
    log_.Line("cannot write %s", file.c_str());
  return Reply(target.ack, 0, {});
}

bool Device::SendPage(const Request& request) {
  if (request.page >= kImagePages) {
    log_.Line("read request for page %u is out of range, no reply", request.page);
    return true;
  }
  log_.Line("read request for page %u", request.page);
  const std::uint16_t page =
      options_.badPageNumber ? static_cast<std::uint16_t>(request.page + 16) : request.page;
  return Reply(kEepromPageData, page, memory_.ImagePage(request.page));
}

bool Device::Reply(std::uint8_t code, std::uint16_t page, std::span<const std::uint8_t> data) {
  const ReplyFault fault = faults_.Next(!data.empty());
  if (fault.drop) {
    log_.Line("reply %u (code %02X) dropped", faults_.Replies(), code);
    flood_.NoteReplies(faults_.Replies(), Clock::now());
    return true;
  }

  std::size_t size = static_cast<std::size_t>(options_.noise);
  noise_.Fill(std::span<std::uint8_t>(out_).first(size));

  Header header = MakeHeader(code, page, PageSum(data));
  if (fault.corruptHeader) {
    header[7] = static_cast<std::uint8_t>(header[7] + 1);
    log_.Line("reply %u: check byte spoiled", faults_.Replies());
  }
  std::copy(header.begin(), header.end(), out_.begin() + static_cast<std::ptrdiff_t>(size));
  size += kHeaderSize;
  if (!data.empty()) {
    std::copy(data.begin(), data.end(), out_.begin() + static_cast<std::ptrdiff_t>(size));
    if (fault.corruptData) {
      out_[size] ^= 0x01;  // the sum moves by one, so it can no longer match
      log_.Line("data reply %u: data byte 0 spoiled", faults_.DataReplies());
    }
    size += data.size();
  }

  if (options_.delayMs > 0 &&
      !SleepUntil(Clock::now() + std::chrono::milliseconds(options_.delayMs))) {
    return false;
  }
  if (fault.late) {
    log_.Line("reply %u held back %d ms", faults_.Replies(), options_.lateMs);
    if (!SleepUntil(Clock::now() + std::chrono::milliseconds(options_.lateMs)))
      return false;
  }
  log_.Line("reply %u: code %02X page %u, %zu bytes", faults_.Replies(), code, page, size);
  flood_.FinishFrame();
  const bool ok = Send(std::span<const std::uint8_t>(out_).first(size));
  flood_.NoteReplies(faults_.Replies(), Clock::now());
  return ok;
}

// A USB-serial adapter passes whole USB packets on at once and holds the rest
// until its latency timer runs out; here it always runs the full time.
bool Device::Send(std::span<const std::uint8_t> bytes) {
  constexpr std::size_t kUsbPacket = 64;
  bool sent = true;
  if (options_.latencyMs > 0 && bytes.size() % kUsbPacket != 0) {
    const std::size_t whole = bytes.size() - bytes.size() % kUsbPacket;
    sent = line_.Send(bytes.first(whole));
    if (!SleepUntil(Clock::now() + std::chrono::milliseconds(options_.latencyMs)))
      return false;
    bytes = bytes.subspan(whole);
  }
  if (sent && line_.Send(bytes))
    return true;
  // A reply the line would not take is lost, as on a real line; only a stop
  // request ends the serving.
  if (StopRequested())
    return false;
  log_.Line("reply %u could not be written", faults_.Replies());
  return true;
}

}  // namespace vardex::sim
