#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "config_image.h"
#include "transfer_types.h"

namespace vardex::testing {

// Keeps everything the worker reports; safe to read from the test thread.
class RecordingListener final : public LinkListener {
 public:
  void OnLogLine(std::string_view line) override {
    std::lock_guard lock(mutex_);
    lines_.emplace_back(line);
  }
  void OnProgress(Operation, std::uint32_t pages_done) override {
    std::lock_guard lock(mutex_);
    progress_.push_back(pages_done);
  }
  void OnImageVerified(const ConfigImage& image) override {
    std::lock_guard lock(mutex_);
    images_.push_back(image);
  }
  std::vector<std::string> lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
  }
  std::vector<std::uint32_t> progress() const {
    std::lock_guard lock(mutex_);
    return progress_;
  }
  std::vector<ConfigImage> images() const {
    std::lock_guard lock(mutex_);
    return images_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
  std::vector<std::uint32_t> progress_;
  std::vector<ConfigImage> images_;
};

}  // namespace vardex::testing
