#include "device_link.h"

#include "com_port_list.h"
#include "qt_serial_port.h"

DeviceLink::DeviceLink(QObject* parent)
    : QObject(parent),
      portFactory_([] { return std::make_unique<vardex::QtSerialPort>(); }),
      resolveName_([](const QString& name) -> std::optional<std::string> {
        if (auto target = vardex::ResolveComName(name))
          return target->path;
        return std::nullopt;
      }),
      probeFailure_([](int number, const std::string& path, vardex::PortFacts& facts) {
        vardex::ProbeFileSystem(vardex::DefaultLinkDirectory(), number, path, facts);
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
    return Fail(comName, path);
  // A worker told to close may still hold its port; let it go first.
  if (worker_ && worker_->terminated())
    EndWorker();
  auto next = std::make_unique<vardex::TCommThread>(*engine_, portFactory_(),
                                                    std::make_unique<vardex::StdWorkerThread>());
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
  vardex::PortFacts facts;
  const std::optional<int> number = vardex::ComPortNumber(comName.toStdString());
  facts.knownName = number.has_value();
  facts.resolved = path.has_value();
  facts.openHere = path && WorkerRunning() && openPath_ == QString::fromStdString(*path);
  if (number)
    probeFailure_(*number, path.value_or(std::string()), facts);
  lastFailure_ = vardex::DiagnosePortFailure(facts);
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
    }
  }
}

void DeviceLink::OnLogLine(std::string_view line) {
  Queue({Report::Kind::kLogLine,
         QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())),
         vardex::Operation::kNone, 0, nullptr});
}

void DeviceLink::OnProgress(vardex::Operation operation, std::uint32_t pagesDone) {
  Queue({Report::Kind::kProgress, {}, operation, static_cast<int>(pagesDone), nullptr});
}

void DeviceLink::OnImageVerified(const vardex::ConfigImage& image) {
  // The copy travels with the report; the worker may overwrite its own at once.
  Queue({Report::Kind::kImage,
         {},
         vardex::Operation::kNone,
         0,
         std::make_shared<const vardex::ConfigImage>(image)});
}
