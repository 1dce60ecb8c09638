#include "transfer_runner.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <thread>

#include "port_access.h"
#include "progress_line.h"
#include "system_serial_port.h"

namespace vardex {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kPollSlice{20};
constexpr std::chrono::milliseconds kBarInterval{100};

class ProgressBar {
 public:
  ProgressBar(bool shown, std::string_view what, std::uint32_t total)
      : shown_(shown), what_(what), total_(total) {}
  void Update(std::uint32_t done, bool force = false) {
    const auto now = Clock::now();
    if (!shown_ || (!force && done == lastDone_ && now - lastDrawn_ < kBarInterval))
      return;
    lastDone_ = done;
    lastDrawn_ = now;
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    std::fprintf(stderr, "\r%s\x1b[K", ProgressLine({what_, done, total_, elapsed}).c_str());
    std::fflush(stderr);
  }
  void End() {
    if (shown_)
      std::fprintf(stderr, "\n");
  }

 private:
  bool shown_;
  std::string_view what_;
  std::uint32_t total_;
  std::uint32_t lastDone_ = ~0u;
  Clock::time_point start_ = Clock::now();
  Clock::time_point lastDrawn_{};
};

// Collects what the session reports for the one transfer this run started;
// everything runs on this one thread.
class Listener final : public LinkListener, public PollPause {
 public:
  Listener(Operation operation, bool verbose, ProgressBar& bar)
      : operation_(operation), verbose_(verbose), bar_(bar) {}
  void OnLogLine(std::string_view line) override {
    if (verbose_)
      std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
  }
  void OnProgress(const TransferProgress& progress) override {
    if (progress.operation != operation_)
      return;
    pagesDone = progress.pagesDone;
    bar_.Update(pagesDone);
  }
  void OnOutcome(const LinkOutcome& outcome) override {
    // A vanished device shows up as the missing reply, which names the page.
    if (outcome.operation != operation_ || outcome.kind == LinkOutcome::Kind::kPortFailed)
      return;
    ended = outcome;
    ended->reason = {};
    if (outcome.image != nullptr)
      image = *outcome.image;
  }
  void WaitUntil(Clock::time_point deadline) override { std::this_thread::sleep_until(deadline); }

  std::uint32_t pagesDone = 0;
  std::optional<LinkOutcome> ended;
  ConfigImage image;

 private:
  Operation operation_;
  bool verbose_;
  ProgressBar& bar_;
};

std::uint32_t PageCount(const TransferRequest& request) {
  if (request.operation == Operation::kFirmwareUpload)
    return request.firmware->LastPageIndex() + 1;
  return ConfigImage::kPageCount;
}

std::string_view Verb(Operation operation) {
  switch (operation) {
    case Operation::kConfigWrite:
      return "write";
    case Operation::kFirmwareUpload:
      return "flash";
    default:
      return "read";
  }
}

std::string NoReplyText(const TransferSettings& settings, const LinkOutcome& outcome) {
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%g s",
                std::chrono::duration<double>(settings.timeout).count());
  // Counted from 1, as the window's status line counts; only the log says "[0]".
  return settings.portName + ": no reply to page " + std::to_string(outcome.page) + " of " +
         std::to_string(outcome.pageCount) + " within " + seconds +
         "; check the cable, that the device is powered and in its configuration mode, and "
         "that " +
         settings.portName + " is its port";
}

}  // namespace

TransferOutcome RunTransfer(const TransferRequest& request, const TransferSettings& settings,
                            ConfigImage& image) {
  const std::unique_ptr<SerialPort> port = MakeSystemSerialPort();
  if (!port->Open(settings.path))
    return {3, settings.portName + ": " + OpenFailureReason(settings.portName, settings.path)};
  // The session holds the engine's buffers; it lives on the heap, not the stack.
  auto session = std::make_unique<LinkSession>(settings.timeout);
  ProgressBar bar(settings.progressBar, Verb(request.operation), PageCount(request));
  Listener listener(request.operation, settings.verbose, bar);
  session->Attach(*port, listener);
  session->Start(request);
  bar.Update(0, true);
  while (!listener.ended) session->Poll(kPollSlice, listener);
  bar.Update(listener.pagesDone, true);
  bar.End();
  port->Close();

  switch (listener.ended->kind) {
    case LinkOutcome::Kind::kNoReply:
      return {3, NoReplyText(settings, *listener.ended)};
    case LinkOutcome::Kind::kReadChecksumFailed:
      return {3, settings.portName + ": " + std::string(kReadChecksumErrorLine)};
    case LinkOutcome::Kind::kFinished:
    case LinkOutcome::Kind::kPortFailed:
      break;
  }
  if (request.operation == Operation::kConfigRead)
    image = listener.image;
  return {};
}

}  // namespace vardex
