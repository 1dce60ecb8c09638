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
  if (!ComPortNumber(chosen_.toStdString())) {
    timer_.stop();
    status_->PortChosen({}, false);  // the line asks for a COM port again
    return;
  }
  timer_.start();
  Tell();
}

void ComChoiceWatcher::Look() {
  // An open port or a transfer has the line; the next look catches up.
  if (status_->Status().ShowsChosenPort())
    Tell();
}

void ComChoiceWatcher::Tell() {
  const ComPortTarget target = ResolveComName(chosen_);
  const std::string leadsTo =
      DescribeComChoice(chosen_.toStdString(), target, SystemPortInfos(), DefaultLinkDirectory());
  status_->PortChosen(QString::fromStdString(leadsTo), target.Opens());
}

}  // namespace vardex
