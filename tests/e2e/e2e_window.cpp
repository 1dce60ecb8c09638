#include "e2e_window.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>

E2eWindow::E2eWindow() {
  form.SetFirmwareFileChooser(&chooser);
  form.SetConfigFileChooser(&files);
  QObject::connect(&form.Link(), &vardex::DeviceLink::ImageReceived, &form,
                   [this](const vardex::ConfigImage& image) { shownImages.append(image); });
}

void E2eWindow::SelectCom(int number) {
  form.findChild<QComboBox*>("ComboBox2")->setCurrentIndex(number - 1);
}

bool E2eWindow::OpenCom(int number) {
  SelectCom(number);
  const auto before = boxes.shown.size();
  form.Button1Click();
  return boxes.shown.size() == before + 1 && boxes.shown.last().text == kOpened;
}

void E2eWindow::SetComText(const QString& text) {
  auto* ports = form.findChild<QComboBox*>("ComboBox2");
  ports->setCurrentIndex(-1);
  ports->setEditText(text);
}

QStringList E2eWindow::LogLines() const {
  const QString text = form.findChild<QPlainTextEdit*>("Memo1")->toPlainText();
  return text.isEmpty() ? QStringList{} : text.split(QLatin1Char('\n'));
}

QStringList E2eWindow::BoxTexts() const {
  QStringList texts;
  for (const auto& shown : boxes.shown) texts << shown.text;
  return texts;
}

QString E2eWindow::Text(const char* editName) const {
  return form.findChild<QLineEdit*>(editName)->text();
}

void E2eWindow::SetText(const char* editName, const QString& text) {
  form.findChild<QLineEdit*>(editName)->setText(text);
}

int E2eWindow::ProgressValue() const {
  return form.findChild<QProgressBar*>("ProgressBar1")->value();
}

int E2eWindow::ProgressMaximum() const {
  return form.findChild<QProgressBar*>("ProgressBar1")->maximum();
}

bool WriteFirmwareFile(const QString& path, int size) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(QByteArray(size, '\x42')) == size;
}
