#include "transfer_runner.h"

#include <array>
#include <cstdio>
#include <memory>
#include <thread>

#include "port_access.h"
#include "progress_line.h"
#include "system_ports.h"
#include "transfer_engine.h"
#include "transfer_mailbox.h"

namespace vardex {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kPollSlice{20};
constexpr std::chrono::milliseconds kBarInterval{100};

// Sends the engine's frames and collects what it reports; everything runs
// on this one thread.
class Listener final : public TransferOutput {
 public:
  Listener(SerialPort& port, bool verbose) : port_(port), verbose_(verbose) {}
  void Send(std::span<const std::uint8_t> bytes) override { port_.Write(bytes); }
  void OnLogLine(std::string_view line) override {
    lastLine = line;
    if (verbose_)
      std::fprintf(stderr, "%s\n", lastLine.c_str());
  }
  void OnProgress(const TransferProgress& progress) override {
    pagesDone = progress.pagesDone;
    lastReply = Clock::now();
  }
  // A vanished device shows up as the time-out, which names the page.
  void OnPortError(std::string_view) override {}
  void OnImageVerified(const ConfigImage& verifiedImage) override {
    image = verifiedImage;
    verified = true;
  }

  std::uint32_t pagesDone = 0;
  Clock::time_point lastReply = Clock::now();
  std::string lastLine;
  ConfigImage image;
  bool verified = false;

 private:
  SerialPort& port_;
  bool verbose_;
};

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

}  // namespace

TransferOutcome RunTransfer(TransferKind kind, const TransferSettings& settings, ConfigImage& image,
                            const FirmwareBuffer* firmware) {
  const std::unique_ptr<SerialPort> systemPort = MakeSystemSerialPort();
  SerialPort& port = *systemPort;
  if (!port.Open(settings.path)) {
    return {3, settings.portName + ": cannot open " + settings.path + ": " +
                   OpenFailureReason(settings.path)};
  }
  Listener listener(port, settings.verbose);
  auto mailbox = std::make_unique<TransferMailbox>();
  auto engine = std::make_unique<TransferEngine>();

  std::uint32_t total = ConfigImage::kPageCount;
  std::string_view what = "read";
  switch (kind) {
    case TransferKind::kRead:
      mailbox->PostConfigRead();
      break;
    case TransferKind::kWrite:
      what = "write";
      mailbox->PostConfigWrite(image);
      break;
    case TransferKind::kFlash:
      what = "flash";
      total = firmware->LastPageIndex() + 1;
      mailbox->PostFirmwareUpload(*firmware);
      break;
  }
  ProgressBar bar(settings.progressBar, what, total);
  listener.lastReply = Clock::now();
  engine->Start(mailbox->Take(engine->Outgoing()), listener);
  bar.Update(0, true);

  std::array<std::uint8_t, 128> buffer{};
  TransferOutcome outcome;
  while (listener.pagesDone < total) {
    const auto sliceEnd = Clock::now() + kPollSlice;
    const std::size_t count = port.Read(buffer, kPollSlice);
    // A device that went away fails its reads at once; wait out the slice
    // rather than spin until the time-out.
    if (count == 0)
      std::this_thread::sleep_until(sliceEnd);
    engine->Receive(std::span(buffer).first(count), listener);
    bar.Update(listener.pagesDone);
    if (listener.pagesDone >= total)
      break;
    if (Clock::now() - listener.lastReply >= settings.timeout) {
      char seconds[32];
      std::snprintf(seconds, sizeof seconds, "%g s",
                    std::chrono::duration<double>(settings.timeout).count());
      outcome = {3, settings.portName + ": no reply to page " + std::to_string(listener.pagesDone) +
                        " within " + seconds +
                        "; check the cable, that the device is powered and in its "
                        "configuration mode, and that " +
                        settings.portName + " is its port"};
      break;
    }
  }
  bar.Update(listener.pagesDone, true);
  bar.End();
  port.Close();
  if (outcome.exitCode != 0)
    return outcome;
  if (kind == TransferKind::kRead) {
    if (!listener.verified)
      return {3, settings.portName + ": " + listener.lastLine};
    image = listener.image;
  }
  return outcome;
}

}  // namespace vardex
