#pragma once

#include <QList>
#include <QWidget>
#include <memory>

#include "config_file_chooser.h"
#include "config_image.h"
#include "config_settings.h"
#include "device_link.h"
#include "firmware_file_chooser.h"
#include "local_time.h"
#include "message_boxes.h"
#include "page_controls.h"
#include "step_result.h"

class QCheckBox;
class QCloseEvent;
class QMenu;
class QMenuBar;
class QPushButton;
class QComboBox;
class QLabel;
class QShowEvent;
class QPlainTextEdit;
class QProgressBar;
class QTabWidget;
class TForm2;
namespace vardex {
class ChangeTracker;
class FirmwareUpload;
class StatusLineController;
class TransferController;
}  // namespace vardex

// The main window: connection controls, the ten settings pages, the log pane
// and the progress bar. The pages' controls hold every setting; nothing is
// stored on the PC.
class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // `boxes` replaces the modal message boxes (tests record them); null gives
  // the real ones. `clock` likewise gives the local time for the clock
  // fields; null uses the PC's own clock.
  explicit TForm1(vardex::MessageBoxes* boxes = nullptr, QWidget* parent = nullptr,
                  const vardex::LocalTimeSource* clock = nullptr);
  ~TForm1() override;

  // The help window shown by "Special strings".
  void SetForm2(TForm2* form2) { form2_ = form2; }

  // A tab page, 0 for "Radio" to 9 for "Telemetry module".
  QWidget* Page(int index) const;

  // Validates and encodes every page into the write image; reports the first
  // failure and returns false.
  bool BuildConfigImage();
  // Shows a verified image read from the device on the pages.
  void ShowConfigImage(const vardex::ConfigImage& received);

  const vardex::ConfigImage& WriteImage() const { return writeImage_; }
  vardex::MessageBoxes& Boxes() { return *boxes_; }
  // Appends one line to the log pane.
  void AppendLog(const QString& line);
  // The device link (tests give it a port or a name lookup of their own).
  vardex::DeviceLink& Link() { return *link_; }
  // The status line under the progress bar.
  vardex::StatusLineController& StatusLine() { return *status_; }
  // Replaces the file dialog of "Upload firmware" (tests pick the file).
  void SetFirmwareFileChooser(vardex::FirmwareFileChooser* chooser);
  // Every transfer the window posts, and what follows it.
  vardex::TransferController& Transfers() { return *transfers_; }
  // Puts the PC's local time into the date and time boxes of "RTC/NTP time".
  void FillClockFromSystemTime();

 public slots:
  void Button1Click();   // "Open port"
  void Button2Click();   // "Close port"
  void Button3Click();   // "Upload firmware"
  void Button4Click();   // "Read config"
  void Button5Click();   // "Write config"
  void Button11Click();  // "Special strings" on "Beacons": the help window, modally
  // "Default parameters" of analog channels 1 to 5.
  void Button6Click();
  void Button7Click();
  void Button8Click();
  void Button9Click();
  void Button10Click();
  // "Upload PC system time on config write" and "Use NTP server".
  void CheckBox21Click();

  // Files, changes and guarded transfers (form1_files.cpp).
 public:
  // Replaces the file dialogs of the File menu and of the firmware backup.
  void SetConfigFileChooser(vardex::ConfigFileChooser* chooser) { fileChooser_ = chooser; }
  // Shows a configuration file on the pages as a read would; a box says why
  // when the file is neither an image nor a text form.
  bool OpenConfiguration(const QString& path);
  // Saves what "Write config" would send, after the same validation.
  bool SaveConfiguration(const QString& path);
  void OpenClick();
  void SaveClick();
  void SaveAsClick();
  void ShowChanges();
  vardex::ChangeTracker& Changes() { return *changes_; }
  QMenuBar* MenuBar() const { return menuBar_; }

 private:
  struct ValuesSource {
    enum class Kind { kStartUp, kRead, kWritten, kFile } kind = Kind::kStartUp;
    QString comName;  // kRead, kWritten
    QString time;     // hh:mm
    QString path;     // kFile
  };
  void BuildFileSafety();
  void BuildMenus();
  void FillRecentMenu();
  void PlaceVerifyOption();
  void PlaceChangesCount();
  void UpdateTitle();
  void ValuesCameFrom(ValuesSource source);
  QString CurrentComName() const;
  bool ConfirmWrite();
  // Asks when there are edits neither written nor saved; false to stay.
  bool MayDropEdits(const QString& action);

  std::unique_ptr<vardex::ConfigFileChooser> ownFileChooser_;
  vardex::ConfigFileChooser* fileChooser_ = nullptr;
  vardex::ChangeTracker* changes_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QCheckBox* verifyBox_ = nullptr;
  QPushButton* changesButton_ = nullptr;
  ValuesSource source_;
  QString filePath_;  // the file last opened or saved

 protected:
  // Closing the window ends the worker and releases the port; during a
  // write or an upload the user is asked first.
  void closeEvent(QCloseEvent* event) override;
  // The first show fits the window to its screen.
  void showEvent(QShowEvent* event) override;

 private:
  // The steps of building the window, in order.
  void BuildConnectionGroup(QWidget* group);
  void BuildPages();
  void BuildLogAndStatus();
  void LayOut(QWidget* group);
  void ShowStartUpValues();
  void ConnectPageButtons();
  void OrderTabs();
  void ConnectTransfers();
  bool OpenSerialPort();
  void ReportStepFailure(const vardex::StepResult& result);

  std::unique_ptr<vardex::MessageBoxes> ownBoxes_;
  vardex::MessageBoxes* boxes_;
  std::unique_ptr<vardex::LocalTimeSource> ownClock_;
  const vardex::LocalTimeSource* clock_;
  TForm2* form2_ = nullptr;
  QTabWidget* pageControl_ = nullptr;
  QPlainTextEdit* memo_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* statusLabel_ = nullptr;
  vardex::StatusLineController* status_ = nullptr;
  QList<QWidget*> pages_;
  bool placed_ = false;
  vardex::DeviceLink* link_ = nullptr;
  vardex::TransferController* transfers_ = nullptr;
  std::unique_ptr<vardex::FirmwareUpload> firmwareUpload_;
  vardex::ConfigImage writeImage_;
  vardex::WindowControls controls_;
};
