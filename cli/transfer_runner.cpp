#include "transfer_runner.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <thread>

#include "cli_platform.h"
#include "link_platform.h"
#include "progress_line.h"

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

// Collects what the session reports for the transfer posted last; everything
// runs on this one thread.
class Listener final : public LinkListener, public PollPause {
 public:
  explicit Listener(bool verbose) : verbose_(verbose) {}
  void Expect(Operation operation) {
    operation_ = operation;
    ended.reset();
  }
  void OnLogLine(std::string_view line) override {
    if (verbose_)
      std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
  }
  void OnProgress(const TransferProgress& progress) override {
    if (progress.operation != operation_)
      return;
    pagesDone = progress.pagesDone;
    askedAgain = progress.askedAgain;
  }
  void OnOutcome(const LinkOutcome& outcome) override {
    // A vanished device shows up as the missing reply, which names the page.
    if (outcome.operation != operation_ || outcome.kind == LinkOutcome::Kind::kPortFailed)
      return;
    ended = outcome;  // a read's image is shared, not copied
    ended->reason = {};
  }
  void WaitUntil(Clock::time_point deadline) override { std::this_thread::sleep_until(deadline); }

  std::uint32_t pagesDone = 0;
  std::uint32_t askedAgain = 0;  // pages sent or requested again
  std::optional<LinkOutcome> ended;

 private:
  Operation operation_ = Operation::kNone;
  bool verbose_;
};

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

// Runs one transfer to its end; false with `outcome` set when nothing replied.
bool RunOne(LinkSession& session, const TransferRequest& request, const TransferSettings& settings,
            Listener& listener, TransferOutcome& outcome) {
  ProgressBar bar(settings.progressBar, Verb(request.operation), request.PageCount());
  listener.Expect(request.operation);
  listener.pagesDone = 0;
  listener.askedAgain = 0;
  const auto started = Clock::now();
  session.Start(request);
  bar.Update(0, true);
  while (!listener.ended) {
    session.Poll(kPollSlice, listener);
    bar.Update(listener.pagesDone);
  }
  bar.Update(listener.pagesDone, true);
  bar.End();
  if (settings.verbose) {
    // What the line cost: a noisy one shows as pages asked for again.
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    std::fprintf(stderr, "%s: %u of %u pages in %.2f s, %u asked for again\n",
                 std::string(Verb(request.operation)).c_str(), listener.pagesDone,
                 request.PageCount(), seconds, listener.askedAgain);
  }
  if (listener.ended->kind != LinkOutcome::Kind::kNoReply)
    return true;
  outcome = {3, NoReplyText(settings, *listener.ended)};
  return false;
}

}  // namespace

TransferOutcome RunSequence(TransferSequence& sequence, const TransferSettings& settings,
                            const BackupSaver& saveBackup) {
  const std::unique_ptr<SerialPort> port = MakeSystemSerialPort();
  if (!port->Open(settings.path))
    return {3, settings.portName + ": " + OpenFailureReason(settings.portName, settings.path)};
  // The session holds the engine's buffers; it lives on the heap, not the stack.
  auto session = std::make_unique<LinkSession>(settings.timeout);
  Listener listener(settings.verbose);
  session->Attach(*port, listener);
  TransferOutcome outcome;
  TransferSequence::Step step = TransferSequence::Step::kPost;
  while (step != TransferSequence::Step::kEnded) {
    if (step == TransferSequence::Step::kSaveBackup) {
      step = sequence.BackupSaved(saveBackup && saveBackup(*sequence.ReadBack(), outcome.error));
      continue;
    }
    if (!RunOne(*session, sequence.Request(), settings, listener, outcome))
      break;
    step = sequence.OnOutcome(*listener.ended);
  }
  port->Close();
  return outcome;
}

}  // namespace vardex
