#pragma once

#include <QString>
#include <chrono>
#include <cstdint>

#include "link_session.h"
#include "transfer_types.h"

namespace vardex {

// What the status line says about the link, worked out from the events the
// window sees. No widgets and no clock of its own: every event that depends
// on time brings `now`, so the wording can be checked at any moment.
class LinkStatus {
 public:
  using Clock = std::chrono::steady_clock;
  // The link reports a transfer that has heard nothing for this long.
  static constexpr std::chrono::seconds kNoReplyNotice = kNoReplyTimeout;

  void PortOpened(const QString& comName, const QString& devicePath, Clock::time_point now);
  void PortClosed();
  // The adapter stopped delivering reads (unplugged) or started again.
  void ReadsFailing(bool failing);
  // The request that waited for a port was dropped: another port opened.
  void RequestDropped();
  // A request was posted for `pageCount` pages.
  void Posted(Operation operation, std::uint32_t pageCount, Clock::time_point now);
  // `pagesDone` pages of the posted transfer were acknowledged or received;
  // the page waited for is on its `attempt`-th try of `attempts` (the link
  // asks again when a reply is lost or damaged).
  void Progress(std::uint32_t pagesDone, Clock::time_point now, std::uint32_t attempt = 1,
                std::uint32_t attempts = 1);
  // The end of a read: the image was shown, or its checksum failed.
  void ImageShown();
  void ImageChecksumFailed();
  // The link heard nothing for kNoReplyNotice: the notice stays until a
  // reply moves the transfer or it ends.
  void NoReply();
  // Where the COM name chosen in the list leads ("COM2 is /dev/ttyUSB0:
  // ..."), and whether it opens; said while no port is open and no
  // transfer is shown.
  void ChoosePort(const QString& leadsTo, bool opens);

  // Whether the line has room for the chosen COM name's route.
  bool ShowsChosenPort() const { return !portOpen_ && phase_ == Phase::kIdle; }

  QString Text() const;
  // What kind of news Text() is. Screen readers are told each change of
  // kind at once, and changes within a kind (page counts) at a pace.
  enum class Kind { kNoPort, kOpen, kWaiting, kNoReply, kFinished, kFailed };
  Kind CurrentKind() const;
  // A write or an upload has started and not finished.
  bool ChangingTheDevice() const;
  // What to ask before the window closes: empty unless a write or an
  // upload would be cut off.
  QString CloseQuestion() const;
  Operation RunningOperation() const {
    return phase_ == Phase::kRunning ? operation_ : Operation::kNone;
  }
  // The page the transfer waits for, counted from 1, and the page count.
  std::uint32_t WaitingPage() const { return pagesDone_ + 1; }
  std::uint32_t PageCount() const { return pageCount_; }

  static QString OperationName(Operation operation);

 private:
  enum class Phase {
    kIdle,
    kWaitingForPort,
    kRunning,
    kVerifying,
    kFinished,
    kChecksumError,
    kStopped,
  };
  void Start(Clock::time_point now);
  bool ReadEnding();
  QString RunningText() const;
  QString PortText() const;

  bool portOpen_ = false;
  bool readsFailing_ = false;
  QString comName_;
  QString devicePath_;
  Operation operation_ = Operation::kNone;
  Phase phase_ = Phase::kIdle;
  std::uint32_t pageCount_ = 0;
  std::uint32_t pagesDone_ = 0;
  Clock::time_point started_{};
  std::int64_t secondsLeft_ = -1;  // firmware only; -1 before the first page
  bool silent_ = false;
  std::uint32_t attempt_ = 1;
  std::uint32_t attempts_ = 1;
  QString chosenLeadsTo_;
  bool chosenOpens_ = false;
};

}  // namespace vardex
