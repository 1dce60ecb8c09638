#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "communication.h"
#include "config_image.h"
#include "firmware_buffer.h"
#include "port_failure.h"
#include "report_queue.h"
#include "serial_port.h"
#include "transfer_engine.h"
#include "transfer_mailbox.h"

namespace vardex {

// The window's side of the device link. It owns the transfer engine and the
// current worker, posts the window's requests, and carries what the worker
// reports over to the window's thread through a bounded ReportQueue: the
// window takes the reports in slices of a few milliseconds, so its event
// loop keeps turning whatever the device sends, and emits them in the order
// the worker made them.
class DeviceLink final : public QObject {
  Q_OBJECT

 public:
  using PortFactory = std::function<std::unique_ptr<SerialPort>()>;
  // The device path that a COM name opens, if any.
  using NameResolver = std::function<std::optional<std::string>(const QString&)>;
  // Looks at the file system for what became of COM`number` and its device.
  using FailureProbe = std::function<void(int number, const std::string& path, PortFacts& facts)>;
  // The longest the window spends taking reports before its event loop turns.
  static constexpr std::chrono::milliseconds kDeliverySlice{8};

  explicit DeviceLink(QObject* parent = nullptr);
  ~DeviceLink() override;

  // Tests put a port of their own or another name lookup here.
  void SetPortFactory(PortFactory factory) { portFactory_ = std::move(factory); }
  void SetNameResolver(NameResolver resolver) { resolveName_ = std::move(resolver); }
  void SetFailureProbe(FailureProbe probe) { probeFailure_ = std::move(probe); }

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
  // tried (empty when the name led to none).
  PortFailure LastOpenFailure() const { return lastFailure_; }
  QString LastOpenPath() const { return lastFailurePath_; }

  // The window's firmware load area; a post copies from it.
  FirmwareBuffer& Firmware() { return *firmware_; }
  void PostFirmwareUpload();
  void PostConfigWrite(const ConfigImage& image);
  void PostConfigRead();

  // When the running transfer last moved: the request went out or the
  // device's last counted reply arrived. With TransferStatus this lets the
  // window say "No reply for 3 s while waiting for page 5 of 16".
  std::chrono::steady_clock::time_point LastReplyTime() const;
  // The hand-over itself (its bound and its high-water mark).
  const ReportQueue& Reports() const { return *reports_; }

 signals:
  void LogLine(const QString& line);
  // Pages acknowledged or received in the transfer posted last.
  void Progress(int pagesDone);
  // Where a transfer stands (each transfer, posted last or not): its
  // operation and `pagesDone` of `pageCount`; 0 done when it starts.
  void TransferStatus(vardex::Operation operation, int pagesDone, int pageCount);
  // A verified image read from the device (a copy of the worker's).
  void ImageReceived(const vardex::ConfigImage& image);
  // The open port failed a read (adapter unplugged, device gone); once per
  // spell of failing reads. The port stays open until "Close port".
  void PortError(const QString& error);

 private:
  Q_INVOKABLE void DeliverReports();
  void ScheduleDelivery();
  void Posted(Operation operation);
  void EndWorker();
  bool Fail(const QString& comName, const std::optional<std::string>& path);

  PortFactory portFactory_;
  NameResolver resolveName_;
  FailureProbe probeFailure_;
  QString openName_;
  QString openPath_;
  PortFailure lastFailure_ = PortFailure::kUnknownName;
  QString lastFailurePath_;
  std::unique_ptr<TransferMailbox> mailbox_;
  std::unique_ptr<TransferEngine> engine_;
  std::unique_ptr<FirmwareBuffer> firmware_;
  std::unique_ptr<ReportQueue> reports_;
  std::unique_ptr<ConfigImage> deliveredImage_;  // window thread only
  std::unique_ptr<TCommThread> worker_;
  Operation lastPosted_ = Operation::kNone;  // window thread only
};

}  // namespace vardex
