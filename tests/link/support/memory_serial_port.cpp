#include "memory_serial_port.h"

#include <algorithm>

namespace vardex::testing {

bool MemorySerialPort::Open(const std::string& path) {
  std::lock_guard lock(mutex_);
  ++stats_.opens;
  stats_.path = path;
  return openSucceeds_;
}

std::size_t MemorySerialPort::Read(std::span<std::uint8_t> into,
                                   std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  ++stats_.reads;
  ++counters_->reads;
  if (failReads_)
    return 0;
  arrived_.wait_for(lock, timeout, [this] { return !incoming_.empty() || interrupted_; });
  interrupted_ = false;
  const std::size_t count = std::min(into.size(), incoming_.size());
  std::copy_n(incoming_.begin(), count, into.begin());
  incoming_.erase(incoming_.begin(), incoming_.begin() + static_cast<std::ptrdiff_t>(count));
  return count;
}

std::string MemorySerialPort::LastReadError() const {
  std::lock_guard lock(mutex_);
  return failReads_ ? "read failed" : "";
}

void MemorySerialPort::Write(std::span<const std::uint8_t> bytes) {
  {
    std::lock_guard lock(mutex_);
    written_.insert(written_.end(), bytes.begin(), bytes.end());
  }
  if (responder_)
    responder_(bytes, *this);
}

void MemorySerialPort::Close() {
  std::lock_guard lock(mutex_);
  ++stats_.closes;
  ++counters_->closes;
}

void MemorySerialPort::Interrupt() {
  {
    std::lock_guard lock(mutex_);
    interrupted_ = true;
  }
  arrived_.notify_all();
}

void MemorySerialPort::Deliver(std::span<const std::uint8_t> bytes) {
  {
    std::lock_guard lock(mutex_);
    incoming_.insert(incoming_.end(), bytes.begin(), bytes.end());
  }
  arrived_.notify_all();
}

std::vector<std::uint8_t> MemorySerialPort::Written() const {
  std::lock_guard lock(mutex_);
  return written_;
}

MemorySerialPort::Stats MemorySerialPort::CurrentStats() const {
  std::lock_guard lock(mutex_);
  return stats_;
}

}  // namespace vardex::testing
