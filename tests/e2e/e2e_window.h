#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "Unit1.h"
#include "config_file_chooser.h"
#include "config_image.h"
#include "firmware_file_chooser.h"
#include "recording_message_boxes.h"

// A file dialog that returns what the test chose.
struct ChosenFile final : vardex::FirmwareFileChooser {
  std::optional<QString> path;
  std::optional<QString> ChooseFirmwareFile(QWidget*) override { return path; }
};

// The file dialogs of the File menu and the backup: what the test chose,
// nothing (as cancelled) by default.
struct ChosenConfigFile final : vardex::ConfigFileChooser {
  std::optional<QString> open;
  std::optional<QString> save;
  std::optional<QString> ChooseToOpen(QWidget*) override { return open; }
  std::optional<QString> ChooseToSave(QWidget*, const QString&) override { return save; }
};

// The real main window with recorded message boxes, chosen files, and a
// record of every image it was asked to show.
struct E2eWindow {
  RecordingMessageBoxes boxes;
  ChosenFile chooser;
  ChosenConfigFile files;
  TForm1 form{&boxes};
  QList<vardex::ConfigImage> shownImages;

  E2eWindow();
  void SelectCom(int number);
  // Opens COM`number` and tells whether exactly one box came, the success box.
  bool OpenCom(int number);
  void SetComText(const QString& text);
  QStringList LogLines() const;
  int CountLine(const QString& line) const { return LogLines().count(line); }
  QStringList BoxTexts() const;
  QString Text(const char* editName) const;
  void SetText(const char* editName, const QString& text);
  int ProgressValue() const;
  int ProgressMaximum() const;
};

// Writes `size` bytes of 0x42 as a firmware file; false when it cannot.
bool WriteFirmwareFile(const QString& path, int size);

inline const QString kOpenError =
    QStringLiteral("Serial port open error. Try to reconnect the device and reset application.");
inline const QString kOpened = QStringLiteral("Serial port opened successfully.");
