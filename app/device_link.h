#pragma once

#include <QObject>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "communication.h"
#include "config_image.h"
#include "firmware_buffer.h"
#include "port_failure.h"
#include "serial_port.h"
#include "transfer_engine.h"
#include "transfer_mailbox.h"

namespace vardex {

// The window's side of the device link. It owns the transfer engine and the
// current worker, posts the window's requests, and carries what the worker
// reports over to the window's thread: the reports wait in a queue (under a
// mutex, so the hand-over is plainly ordered) and a queued call delivers them
// there in the order the worker made them.
class DeviceLink final : public QObject, private LinkListener {
  Q_OBJECT

 public:
  using PortFactory = std::function<std::unique_ptr<SerialPort>()>;
  // The device path that a COM name opens, if any.
  using NameResolver = std::function<std::optional<std::string>(const QString&)>;
  // Looks at the file system for what became of COM`number` and its device.
  using FailureProbe = std::function<void(int number, const std::string& path, PortFacts& facts)>;

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

 signals:
  void LogLine(const QString& line);
  // Pages acknowledged or received in the transfer posted last.
  void Progress(int pagesDone);
  // A verified image read from the device (a copy of the worker's).
  void ImageReceived(const ConfigImage& image);
  // The open port's reads started failing (the adapter was unplugged), or
  // work again.
  void ReadsFailing(bool failing);

 private:
  struct Report {
    enum class Kind { kLogLine, kProgress, kImage, kReadsFailing } kind = Kind::kLogLine;
    QString line;
    Operation operation = Operation::kNone;
    int pagesDone = 0;
    std::shared_ptr<const ConfigImage> image;
    bool readsFailing = false;
  };
  Q_INVOKABLE void DeliverReports();
  void Queue(Report report);

  void OnLogLine(std::string_view line) override;
  void OnProgress(Operation operation, std::uint32_t pagesDone) override;
  void OnImageVerified(const ConfigImage& image) override;
  void OnReadsFailing(bool failing) override;
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
  std::unique_ptr<TCommThread> worker_;
  Operation lastPosted_ = Operation::kNone;  // window thread only
  std::mutex reportsMutex_;
  std::deque<Report> reports_;   // guarded by reportsMutex_
  bool deliveryPosted_ = false;  // guarded by reportsMutex_
};

}  // namespace vardex
