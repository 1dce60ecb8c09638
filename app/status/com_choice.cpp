#include "com_choice.h"

#include <QComboBox>
#include <QLineEdit>

#include "com_names.h"
#include "com_port_list.h"
#include "status_line.h"
#include "system_port_info.h"

namespace vardex {

ComChoiceWatcher::ComChoiceWatcher(QComboBox* ports, StatusLineController* status)
    : QObject(ports), ports_(ports), status_(status) {
  // Only what the user does counts as a choice: the name shown at start-up
  // was chosen by nobody.
  connect(ports_, &QComboBox::activated, this, &ComChoiceWatcher::Chosen);
  if (ports_->lineEdit() != nullptr)
    connect(ports_->lineEdit(), &QLineEdit::textEdited, this, &ComChoiceWatcher::Chosen);
  timer_.setInterval(kLookInterval);
  connect(&timer_, &QTimer::timeout, this, &ComChoiceWatcher::Look);
}

void ComChoiceWatcher::Chosen() {
  chosen_ = ports_->currentText();
  if (!WindowComNumber(chosen_)) {
    timer_.stop();
    status_->PortChosen({}, false);  // the line asks for a COM port again
    return;
  }
  timer_.start();
  Tell();
}

QString ComChoiceWatcher::Signs() const {
  return PortChangeSigns(target_);
}

void ComChoiceWatcher::Look() {
  // An open port or a transfer has the line; the next look catches up.
  if (status_->Status().ShowsChosenPort() && Signs() != signs_)
    Tell();
}

void ComChoiceWatcher::Tell() {
  // Taken before looking, so that a change while looking is seen next time.
  signs_ = Signs();
  const std::vector<SystemPortInfo> ports = SystemPortInfos();
  const ComPortTarget target = ResolveComNameAmong(chosen_, ports);
  if (target_ != QString::fromStdString(target.path)) {
    target_ = QString::fromStdString(target.path);
    signs_ = Signs();
  }
  const std::string leadsTo =
      DescribeComChoice(chosen_.toStdString(), target, ports, DefaultLinkDirectory());
  status_->PortChosen(QString::fromStdString(leadsTo), target.Opens());
}

}  // namespace vardex
