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
  void OnOutcome(const LinkOutcome& outcome) override {
    std::lock_guard lock(mutex_);
    outcomes_.push_back(outcome);
    outcomes_.back().image = nullptr;
    outcomes_.back().reason = {};
    if (outcome.kind == LinkOutcome::Kind::kPortFailed)
      portErrors_.emplace_back(outcome.reason);
    if (outcome.image != nullptr) {
      (outcome.kind == LinkOutcome::Kind::kFinished ? images_ : brokenImages_)
          .push_back(*outcome.image);
      lastImage_ = outcome.image;
    }
  }
  // Every outcome, without its reason or image (kept apart above and below).
  std::vector<LinkOutcome> Outcomes() const {
    std::lock_guard lock(mutex_);
    return outcomes_;
  }
  std::vector<std::string> PortErrors() const {
    std::lock_guard lock(mutex_);
    return portErrors_;
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
  // Verified images; and images whose checksum failed, handed over unverified.
  std::vector<ConfigImage> Images() const {
    std::lock_guard lock(mutex_);
    return images_;
  }
  std::vector<ConfigImage> BrokenImages() const {
    std::lock_guard lock(mutex_);
    return brokenImages_;
  }
  // The share the last image came in, as a keeper of it holds it.
  SharedConfigImage LastImage() const {
    std::lock_guard lock(mutex_);
    return lastImage_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<LinkOutcome> outcomes_;
  std::vector<std::string> lines_;
  std::vector<std::uint32_t> progress_;
  std::vector<ConfigImage> brokenImages_;
  std::vector<ConfigImage> images_;
  SharedConfigImage lastImage_;
  std::vector<std::uint8_t> written_;
  std::vector<std::string> portErrors_;
};

}  // namespace vardex::testing
