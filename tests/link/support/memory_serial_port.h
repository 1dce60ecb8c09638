#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "serial_port.h"

namespace vardex::testing {

// A serial port in memory. Bytes that the tool writes are recorded and
// handed to an optional responder (a stand-in device, or a hostile one);
// bytes delivered by Deliver() are what the tool reads.
class MemorySerialPort final : public SerialPort {
 public:
  using Responder =
      std::function<void(std::span<const std::uint8_t> written, MemorySerialPort& port)>;

  struct Stats {
    int opens = 0;
    int closes = 0;
    int reads = 0;
    std::string path;
  };
  // Counts that outlive the port (the worker destroys it when it ends).
  struct LastingCounters {
    std::atomic<int> closes{0};
    std::atomic<int> reads{0};
  };

  explicit MemorySerialPort(Responder responder = {}, bool openSucceeds = true)
      : responder_(std::move(responder)), openSucceeds_(openSucceeds) {}

  // Reads return 0 at once, as on an unplugged adapter.
  void FailReads() {
    std::lock_guard lock(mutex_);
    failReads_ = true;
  }

  bool Open(const std::string& path) override;
  std::size_t Read(std::span<std::uint8_t> into, std::chrono::milliseconds timeout) override;
  std::string LastReadError() const override;
  void Write(std::span<const std::uint8_t> bytes) override;
  void Close() override;
  void Interrupt() override;

  // Test side, any thread.
  void Deliver(std::span<const std::uint8_t> bytes);
  std::vector<std::uint8_t> Written() const;
  Stats CurrentStats() const;
  std::shared_ptr<const LastingCounters> Counters() const { return counters_; }

 private:
  Responder responder_;
  const bool openSucceeds_;
  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<std::uint8_t> incoming_;
  std::vector<std::uint8_t> written_;
  bool interrupted_ = false;
  bool failReads_ = false;
  Stats stats_;
  std::shared_ptr<LastingCounters> counters_ = std::make_shared<LastingCounters>();
};

}  // namespace vardex::testing
