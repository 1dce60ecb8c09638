#include "passcode_help.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "aprs_passcode.h"

namespace vardex {
namespace {

QString PasscodeNote(const QString& user, const QString& password) {
  const std::string login = user.toStdString();
  const QString call = QString::fromStdString(BaseCallsign(login));
  switch (MatchPasscode(login, password.toStdString())) {
    case PasscodeMatch::kMatches:
      return {};
    case PasscodeMatch::kReceiveOnly:
      return QStringLiteral("-1 logs in receive-only: nothing is gated to APRS-IS.");
    case PasscodeMatch::kWrong:
      return QStringLiteral("Not the passcode of %1: the servers gate nothing from it.").arg(call);
    case PasscodeMatch::kNotAPasscode:
      break;
  }
  return QStringLiteral("Not a passcode (0 to 32767, or -1 for receive-only).");
}

}  // namespace

void AddPasscodeHelp(QGridLayout* login, int row, QLineEdit* user, QLineEdit* password) {
  QWidget* page = password->parentWidget();
  auto* fill = new QPushButton(QStringLiteral("From login"), page);
  fill->setObjectName("PasscodeFromLogin");
  fill->setToolTip(
      QStringLiteral("Type the APRS-IS passcode of the login (its SSID does not "
                     "count)."));
  auto* note = new QLabel(page);
  note->setObjectName("PasscodeNote");
  note->setTextFormat(Qt::PlainText);
  note->setWordWrap(true);
  login->addWidget(fill, row, 3, Qt::AlignLeft);
  login->addWidget(note, row + 1, 2, 1, 2);

  QObject::connect(fill, &QPushButton::clicked, password, [user, password] {
    password->setText(QString::number(AprsIsPasscode(user->text().toStdString())));
  });
  const auto update = [user, password, note, fill] {
    note->setText(PasscodeNote(user->text(), password->text()));
    note->setVisible(!note->text().isEmpty());
    // Screen readers hear the note on the button, next in the tab order.
    fill->setAccessibleDescription(note->text());
  };
  QObject::connect(user, &QLineEdit::textChanged, note, update);
  QObject::connect(password, &QLineEdit::textChanged, note, update);
  update();
}

}  // namespace vardex
