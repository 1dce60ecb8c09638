#include "device_link.h"

#include "com_port_list.h"
#include "qt_serial_port.h"
#include "qt_worker_thread.h"

DeviceLink::DeviceLink(QObject* parent)
    : QObject(parent),
      portFactory_([] { return std::make_unique<vardex::QtSerialPort>(); }),
      resolveName_([](const QString& name) -> std::optional<std::string> {
        if (auto target = vardex::ResolveComName(name))
          return target->path;
        return std::nullopt;
      }),
      mailbox_(std::make_unique<vardex::TransferMailbox>()),
      engine_(std::make_unique<vardex::TransferEngine>(*mailbox_,
                                                       static_cast<vardex::LinkListener&>(*this))),
      firmware_(std::make_unique<vardex::FirmwareBuffer>()) {}

DeviceLink::~DeviceLink() {
  Shutdown();
}

bool DeviceLink::OpenPort(const QString& comName) {
  const std::optional<std::string> path = resolveName_(comName);
  if (!path)
    return false;
  // A worker told to close may still hold its port; let it go first.
  if (worker_ && worker_->terminated())
    EndWorker();
  auto next = std::make_unique<vardex::TCommThread>(*engine_, portFactory_(),
                                                    std::make_unique<vardex::QtWorkerThread>());
  if (!next->Open(*path))
    return false;
  EndWorker();
  worker_ = std::move(next);
  worker_->Run();
  return true;
}

void DeviceLink::ClosePort() {
  if (worker_)
    worker_->Terminate();
}

void DeviceLink::Shutdown() {
  EndWorker();
}

void DeviceLink::EndWorker() {
  if (!worker_)
    return;
  worker_->Terminate();
  worker_->Join();
  worker_.reset();
}

void DeviceLink::PostFirmwareUpload() {
  mailbox_->PostFirmwareUpload(*firmware_);
  Posted(vardex::Operation::kFirmwareUpload);
}

void DeviceLink::PostConfigWrite(const vardex::ConfigImage& image) {
  mailbox_->PostConfigWrite(image);
  Posted(vardex::Operation::kConfigWrite);
}

void DeviceLink::PostConfigRead() {
  mailbox_->PostConfigRead();
  Posted(vardex::Operation::kConfigRead);
}

void DeviceLink::Posted(vardex::Operation operation) {
  lastPosted_ = operation;
  // Without a running worker the request waits for the next "Open port".
  if (WorkerRunning())
    worker_->Wake();
}

void DeviceLink::OnLogLine(std::string_view line) {
  const QString text = QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
  QMetaObject::invokeMethod(
      this, [this, text] { emit LogLine(text); }, Qt::QueuedConnection);
}

void DeviceLink::OnProgress(vardex::Operation operation, std::uint32_t pagesDone) {
  QMetaObject::invokeMethod(
      this,
      [this, operation, pagesDone] {
        if (operation == lastPosted_)
          emit Progress(static_cast<int>(pagesDone));
      },
      Qt::QueuedConnection);
}

void DeviceLink::OnImageVerified(const vardex::ConfigImage& image) {
  // The copy travels with the call; the worker may overwrite its own at once.
  QMetaObject::invokeMethod(
      this, [this, image] { emit ImageReceived(image); }, Qt::QueuedConnection);
}
