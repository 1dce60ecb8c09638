#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "com_names.h"
#include "comm_thread.h"
#include "config_image.h"
#include "link_session.h"
#include "port_failure.h"
#include "report_queue.h"
#include "serial_port.h"
#include "transfer_mailbox.h"

namespace vardex {

// The window's side of the device link. It owns the link session and the
// current worker, posts the window's requests, and carries what the worker
// reports over to the window's thread through a bounded ReportQueue: the
// window takes the reports in slices of a few milliseconds, so its event
// loop keeps turning whatever the device sends, and emits them in the order
// the worker made them.
class DeviceLink final : public QObject {
  Q_OBJECT

 public:
  using PortFactory = std::function<std::unique_ptr<SerialPort>()>;
  // Where a COM name leads.
  using NameResolver = std::function<ComPortTarget(const QString&)>;
  // Looks at the file system for what became of a device that did not open.
  using FailureProbe = std::function<void(const std::string& path, PortFacts& facts)>;
  // The longest the window spends taking reports before its event loop turns.
  static constexpr std::chrono::milliseconds kDeliverySlice{8};

  explicit DeviceLink(QObject* parent = nullptr);
  ~DeviceLink() override;

  // Tests put a port of their own or another name lookup here.
  void SetPortFactory(PortFactory factory) { portFactory_ = std::move(factory); }
  void SetNameResolver(NameResolver resolver) { resolveName_ = std::move(resolver); }
  void SetFailureProbe(FailureProbe probe) { probeFailure_ = std::move(probe); }
  // The session's clock, before the first "Open port".
  void SetClock(LinkSession::NowFunction now) { session_->SetClock(std::move(now)); }

  // "Open port": opens the named port and starts a worker on it. While
  // another worker runs, the new port is opened first; only then is the old
  // worker ended and its port released. False when the port cannot be used.
  bool OpenPort(const QString& comName);
  // "Close port": asks the worker to end; does not wait for it.
  void ClosePort();
  // Ends the worker and waits until its port is released.
  void Shutdown();
  bool WorkerRunning() const { return worker_ && !worker_->Terminated(); }
  // The COM name and device of the running worker (empty when none runs).
  QString OpenComName() const { return WorkerRunning() ? openName_ : QString(); }
  QString OpenDevicePath() const { return WorkerRunning() ? openPath_ : QString(); }
  // Why the last OpenPort() that returned false failed, and the device it
  // tried or where the name's link points (empty when the name led to none).
  PortFailure LastOpenFailure() const { return lastFailure_; }
  QString LastOpenPath() const { return lastFailurePath_; }

  // Posts a request for the port named `meantFor` (the open port, or the
  // one chosen while none is open). A write or an upload that waits for a
  // port starts only on that port: opening another drops it unsent. A read
  // goes to the next port opened, whichever it is.
  void Post(TransferRequest request, const QString& meantFor);

  // The hand-over itself (its bound and its high-water mark).
  const ReportQueue& Reports() const { return *reports_; }

 signals:
  void LogLine(const QString& line);
  // A transfer started (0 pages done) or moved on, with its page count as
  // the engine counts it.
  void Progress(const vardex::TransferProgress& progress);
  // A verified image read from the device (the one the outcome shares).
  void ImageReceived(const vardex::ConfigImage& image);
  // A write or an upload that waited for `meantFor` was dropped, unsent,
  // because `opened` was opened instead.
  void RequestDropped(vardex::Operation operation, const QString& meantFor, const QString& opened);
  // How a transfer ended or stalled, or that the open port failed its reads
  // (once per spell; the port stays open until "Close port"). Nothing here
  // ends a transfer: a silent device leaves it waiting.
  void Outcome(const vardex::LinkOutcome& outcome);

 private:
  Q_INVOKABLE void DeliverReports();
  void ScheduleDelivery();
  void DropRequestMeantForAnother(const QString& opened);
  void EndWorker();
  bool Fail(const QString& comName, const ComPortTarget& target);

  PortFactory portFactory_;
  NameResolver resolveName_;
  FailureProbe probeFailure_;
  QString openName_;
  QString openPath_;
  PortFailure lastFailure_ = PortFailure::kUnknownName;
  QString lastFailurePath_;
  std::unique_ptr<TransferMailbox> mailbox_;
  std::unique_ptr<LinkSession> session_;
  std::unique_ptr<ReportQueue> reports_;
  std::unique_ptr<TCommThread> worker_;
  QString pendingFor_;  // the port the request in the mailbox was meant for
};

}  // namespace vardex
