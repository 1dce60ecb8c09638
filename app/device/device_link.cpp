#include "device_link.h"

#include <utility>

#include "com_port_list.h"
#include "link_platform.h"

namespace vardex {

DeviceLink::DeviceLink(QObject* parent)
    : QObject(parent),
      portFactory_(MakeSystemSerialPort),
      resolveName_(ResolveComName),
      probeFailure_(ProbePortFailure),
      mailbox_(std::make_unique<TransferMailbox>()),
      session_(std::make_unique<LinkSession>()),
      reports_(std::make_unique<ReportQueue>([this] { ScheduleDelivery(); })) {}

DeviceLink::~DeviceLink() {
  Shutdown();
}

bool DeviceLink::OpenPort(const QString& comName) {
  const ComPortTarget target = resolveName_(comName);
  if (!target.Opens())
    return Fail(comName, target);
  // A worker told to close may still hold its port; let it go first.
  if (worker_ && worker_->Terminated())
    EndWorker();
  DropRequestMeantForAnother(comName);
  auto next = std::make_unique<TCommThread>(*session_, *mailbox_, *reports_, portFactory_());
  if (!next->Open(target.path))
    return Fail(comName, target);
  EndWorker();
  // No worker runs now; the next one may wait for the window again.
  reports_->ResumeWaits();
  worker_ = std::move(next);
  worker_->Run();
  openName_ = comName;
  openPath_ = QString::fromStdString(target.path);
  return true;
}

bool DeviceLink::Fail(const QString& comName, const ComPortTarget& target) {
  PortFacts facts;
  facts.knownName = WindowComNumber(comName).has_value();
  facts.route = target.route;
  const QString path = QString::fromStdString(target.path);
  facts.openHere = target.Opens() && WorkerRunning() && openPath_ == path;
  if (facts.knownName && target.Opens())
    probeFailure_(target.path, facts);
  lastFailure_ = DiagnosePortFailure(facts);
  lastFailurePath_ = path;
  return false;
}

void DeviceLink::ClosePort() {
  if (!worker_)
    return;
  worker_->Terminate();
  // A worker that waits for the window must not wait any longer.
  reports_->CancelWaits();
}

void DeviceLink::Shutdown() {
  EndWorker();
}

void DeviceLink::EndWorker() {
  if (!worker_)
    return;
  worker_->Terminate();
  reports_->CancelWaits();
  worker_->Join();
  worker_.reset();
}

void DeviceLink::Post(TransferRequest request, const QString& meantFor) {
  if (request.operation == Operation::kNone)
    return;
  mailbox_->Post(std::move(request));
  pendingFor_ = meantFor;
  // Without a running worker the request waits for the next "Open port".
  if (WorkerRunning())
    worker_->Wake();
}

namespace {

bool SamePort(const QString& a, const QString& b) {
  const std::optional<int> numberA = WindowComNumber(a);
  return numberA ? numberA == WindowComNumber(b) : a == b;
}

}  // namespace

// A configuration or a firmware meant for one device must not reach another
// that happens to be opened next; a read harms no device and is kept.
void DeviceLink::DropRequestMeantForAnother(const QString& opened) {
  const Operation pending = mailbox_->Pending();
  if (pending == Operation::kNone || pending == Operation::kConfigRead ||
      SamePort(pendingFor_, opened))
    return;
  const Operation dropped = mailbox_->Drop();
  if (dropped != Operation::kNone && dropped != Operation::kConfigRead)
    emit RequestDropped(dropped, pendingFor_, opened);
}

// Worker thread.
void DeviceLink::ScheduleDelivery() {
  QMetaObject::invokeMethod(this, &DeviceLink::DeliverReports, Qt::QueuedConnection);
}

void DeviceLink::DeliverReports() {
  // One report at a time, so that a handler that spins the event loop still
  // sees the rest in order; one slice at a time, so that the window's own
  // events get their turn under a flood.
  const auto sliceEnd = std::chrono::steady_clock::now() + kDeliverySlice;
  LinkReport report;
  while (std::chrono::steady_clock::now() < sliceEnd && reports_->Pop(report)) {
    const std::string_view text = report.Text();
    switch (report.kind) {
      case LinkReport::Kind::kLogLine:
        emit LogLine(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
        break;
      case LinkReport::Kind::kOutcome:
        if (report.outcome.image != nullptr && report.outcome.kind == LinkOutcome::Kind::kFinished)
          emit ImageReceived(*report.outcome.image);
        emit Outcome(report.outcome);
        break;
    }
  }
  for (const Operation operation :
       {Operation::kFirmwareUpload, Operation::kConfigWrite, Operation::kConfigRead}) {
    if (const std::optional<TransferProgress> progress = reports_->TakeProgress(operation))
      emit Progress(*progress);
  }
  if (!reports_->EndDelivery())
    ScheduleDelivery();
}

}  // namespace vardex
