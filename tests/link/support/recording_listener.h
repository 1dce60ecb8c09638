#pragma once

#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "config_image.h"
#include "transfer_types.h"

namespace vardex::testing {

// Keeps everything the worker or the engine reports, and the bytes the
// engine sends; safe to read from the test thread.
class RecordingListener final : public TransferOutput {
 public:
  void Send(std::span<const std::uint8_t> bytes) override {
    std::lock_guard lock(mutex_);
    written_.insert(written_.end(), bytes.begin(), bytes.end());
  }
  void OnLogLine(std::string_view line) override {
    std::lock_guard lock(mutex_);
    lines_.emplace_back(line);
  }
  void OnProgress(const TransferProgress& progress) override {
    std::lock_guard lock(mutex_);
    progress_.push_back(progress.pagesDone);
  }
  void OnPortError(std::string_view error) override {
    std::lock_guard lock(mutex_);
    portErrors_.emplace_back(error);
  }
  std::vector<std::string> PortErrors() const {
    std::lock_guard lock(mutex_);
    return portErrors_;
  }
  void OnImageVerified(const ConfigImage& image) override {
    std::lock_guard lock(mutex_);
    images_.push_back(image);
  }
  std::vector<std::uint8_t> Written() const {
    std::lock_guard lock(mutex_);
    return written_;
  }
  std::vector<std::string> Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
  }
  std::vector<std::uint32_t> Progress() const {
    std::lock_guard lock(mutex_);
    return progress_;
  }
  std::vector<ConfigImage> Images() const {
    std::lock_guard lock(mutex_);
    return images_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
  std::vector<std::uint32_t> progress_;
  std::vector<ConfigImage> images_;
  std::vector<std::uint8_t> written_;
  std::vector<std::string> portErrors_;
};

}  // namespace vardex::testing
