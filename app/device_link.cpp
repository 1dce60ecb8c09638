#include "device_link.h"

#include "com_port_list.h"
#include "qt_serial_port.h"

namespace vardex {

DeviceLink::DeviceLink(QObject* parent)
    : QObject(parent),
      portFactory_([] { return std::make_unique<QtSerialPort>(); }),
      resolveName_([](const QString& name) -> std::optional<std::string> {
        if (auto target = ResolveComName(name))
          return target->path;
        return std::nullopt;
      }),
      probeFailure_([](int number, const std::string& path, PortFacts& facts) {
        ProbeFileSystem(DefaultLinkDirectory(), number, path, facts);
      }),
      mailbox_(std::make_unique<TransferMailbox>()),
      engine_(std::make_unique<TransferEngine>()),
      firmware_(std::make_unique<FirmwareBuffer>()) {}

DeviceLink::~DeviceLink() {
  Shutdown();
}

bool DeviceLink::OpenPort(const QString& comName) {
  const std::optional<std::string> path = resolveName_(comName);
  if (!path)
    return Fail(comName, path);
  // A worker told to close may still hold its port; let it go first.
  if (worker_ && worker_->Terminated())
    EndWorker();
  auto next = std::make_unique<TCommThread>(*engine_, *mailbox_, static_cast<LinkListener&>(*this),
                                            portFactory_());
  if (!next->Open(*path))
    return Fail(comName, path);
  EndWorker();
  worker_ = std::move(next);
  worker_->Run();
  openName_ = comName;
  openPath_ = QString::fromStdString(*path);
  return true;
}

bool DeviceLink::Fail(const QString& comName, const std::optional<std::string>& path) {
  PortFacts facts;
  const std::optional<int> number = ComPortNumber(comName.toStdString());
  facts.knownName = number.has_value();
  facts.resolved = path.has_value();
  facts.openHere = path && WorkerRunning() && openPath_ == QString::fromStdString(*path);
  if (number)
    probeFailure_(*number, path.value_or(std::string()), facts);
  lastFailure_ = DiagnosePortFailure(facts);
  lastFailurePath_ = path ? QString::fromStdString(*path) : QString();
  return false;
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
  Posted(Operation::kFirmwareUpload);
}

void DeviceLink::PostConfigWrite(const ConfigImage& image) {
  mailbox_->PostConfigWrite(image);
  Posted(Operation::kConfigWrite);
}

void DeviceLink::PostConfigRead() {
  mailbox_->PostConfigRead();
  Posted(Operation::kConfigRead);
}

void DeviceLink::Posted(Operation operation) {
  lastPosted_ = operation;
  // Without a running worker the request waits for the next "Open port".
  if (WorkerRunning())
    worker_->Wake();
}

void DeviceLink::Queue(Report report) {
  bool post = false;
  {
    std::lock_guard lock(reportsMutex_);
    reports_.push_back(std::move(report));
    post = !deliveryPosted_;
    deliveryPosted_ = true;
  }
  if (post)
    QMetaObject::invokeMethod(this, "DeliverReports", Qt::QueuedConnection);
}

void DeviceLink::DeliverReports() {
  // One report at a time, so that a handler that spins the event loop still
  // sees the rest in order.
  for (;;) {
    Report report;
    {
      std::lock_guard lock(reportsMutex_);
      if (reports_.empty()) {
        deliveryPosted_ = false;
        return;
      }
      report = std::move(reports_.front());
      reports_.pop_front();
    }
    switch (report.kind) {
      case Report::Kind::kLogLine:
        emit LogLine(report.line);
        break;
      case Report::Kind::kProgress:
        if (report.operation == lastPosted_)
          emit Progress(report.pagesDone);
        break;
      case Report::Kind::kImage:
        emit ImageReceived(*report.image);
        break;
      case Report::Kind::kReadsFailing:
        emit ReadsFailing(report.readsFailing);
        break;
    }
  }
}

void DeviceLink::OnLogLine(std::string_view line) {
  Queue({Report::Kind::kLogLine,
         QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())), Operation::kNone, 0,
         nullptr});
}

void DeviceLink::OnProgress(Operation operation, std::uint32_t pagesDone) {
  Queue({Report::Kind::kProgress, {}, operation, static_cast<int>(pagesDone), nullptr});
}

void DeviceLink::OnImageVerified(const ConfigImage& image) {
  // The copy travels with the report; the worker may overwrite its own at once.
  Queue(
      {Report::Kind::kImage, {}, Operation::kNone, 0, std::make_shared<const ConfigImage>(image)});
}

void DeviceLink::OnReadsFailing(bool failing) {
  Queue({Report::Kind::kReadsFailing, {}, Operation::kNone, 0, nullptr, failing});
}

}  // namespace vardex
