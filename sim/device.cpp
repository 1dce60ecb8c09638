#include "device.h"

#include <algorithm>

namespace vardex::sim {

Device::Device(const SimOptions& options, DeviceMemory& memory, SerialLine& line,
               const EventLog& log)
    : options_(options), memory_(memory), line_(line), log_(log), faults_(options) {}

bool Device::Handle(const Request& request) {
  switch (request.code) {
    case kEepromPage:
      return StoreImagePage(request);
    case kFirmwarePage:
      return StoreFirmwarePage(request);
    case kEepromReadRequest:
      return SendPage(request);
    default:
      return true;
  }
}

// Pages outside the memory are not acknowledged: the device stays silent, as
// it does for any frame it cannot use.
bool Device::StoreImagePage(const Request& request) {
  if (request.page >= kImagePages) {
    log_.Line("image page %u is out of range, no reply", request.page);
    return true;
  }
  memory_.StoreImagePage(request.page, request.data);
  log_.Line("image page %u stored", request.page);
  if (!options_.saveImageFile.empty() && !memory_.SaveImage(options_.saveImageFile)) {
    log_.Line("cannot write %s", options_.saveImageFile.c_str());
  }
  return Reply(kEepromPageAck, 0, {});
}

bool Device::StoreFirmwarePage(const Request& request) {
  if (request.page >= kFirmwarePages) {
    log_.Line("firmware page %u is out of range, no reply", request.page);
    return true;
  }
  memory_.StoreFirmwarePage(request.page, request.data);
  log_.Line("firmware page %u stored", request.page);
  if (!options_.firmwareOutFile.empty() && !memory_.SaveFirmware(options_.firmwareOutFile)) {
    log_.Line("cannot write %s", options_.firmwareOutFile.c_str());
  }
  return Reply(kFirmwarePageAck, 0, {});
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
  log_.Line("reply %u: code %02X page %u, %zu bytes", faults_.Replies(), code, page, size);
  if (line_.Send(std::span<const std::uint8_t>(out_).first(size)))
    return true;
  // A reply the line would not take is lost, as on a real line; only a stop
  // request ends the serving.
  if (StopRequested())
    return false;
  log_.Line("reply %u could not be written", faults_.Replies());
  return true;
}

}  // namespace vardex::sim
