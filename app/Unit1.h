#pragma once

#include <QWidget>
#include <memory>

#include "config_file_chooser.h"
#include "config_image.h"
#include "device_link.h"
#include "firmware_file_chooser.h"
#include "local_time.h"
#include "message_boxes.h"
#include "page_controls.h"

class QCloseEvent;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QShowEvent;
class QTabWidget;
class TForm2;
namespace vardex {
class ChangeTracker;
class ConfigDocument;
class FirmwareUpload;
class LogPane;
class StatusLineController;
class TransferController;
class WindowMenus;
}  // namespace vardex

// The main window: connection controls, the ten settings pages, the log pane
// and the progress bar. The pages show the configuration document's values;
// nothing is stored on the PC but the recent files.
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

  // Validates and encodes every page into the image "Write config" sends;
  // reports the first failure and returns false.
  bool BuildConfigImage();
  // Shows an image's values on the pages (where they came from stays).
  void ShowConfigImage(const vardex::ConfigImage& received);
  const vardex::ConfigImage& WriteImage() const;

  // The device link (tests give it a port or a name lookup of their own).
  vardex::DeviceLink& Link() { return *link_; }
  // The status line under the progress bar.
  vardex::StatusLineController& StatusLine() { return *status_; }
  // Replaces the file dialog of "Upload firmware" (tests pick the file).
  void SetFirmwareFileChooser(vardex::FirmwareFileChooser* chooser);
  // Every transfer the window posts, and what follows it.
  vardex::TransferController& Transfers() { return *transfers_; }
  // Replaces the file dialogs of the File menu and of the firmware backup.
  void SetConfigFileChooser(vardex::ConfigFileChooser* chooser);
  // The File menu's Open and Save without their dialogs.
  bool OpenConfiguration(const QString& path);
  bool SaveConfiguration(const QString& path);
  vardex::ChangeTracker& Changes();

 public slots:
  void Button1Click();   // "Open port"
  void Button2Click();   // "Close port"
  void Button3Click();   // "Upload firmware"
  void Button4Click();   // "Read config"
  void Button5Click();   // "Write config"
  void Button11Click();  // "Special strings" on "Beacons": the help window, modally
  // "Upload PC system time on config write" and "Use NTP server".
  void CheckBox21Click();

 protected:
  // Closing the window ends the worker and releases the port; during a
  // write or an upload, or with edits not kept, the user is asked first.
  void closeEvent(QCloseEvent* event) override;
  // The first show fits the window to its screen.
  void showEvent(QShowEvent* event) override;

 private:
  // The transfer controller and what follows from it.
  void ConnectTransfers();
  void ConnectPageControls();
  QHBoxLayout* BuildStatusRow(QLabel* statusLabel, QWidget* changesCount);
  // F1, the Help menu, the problem report and the log pane's actions.
  void AddHelpAndLogActions();

  vardex::TransferController* transfers_ = nullptr;
  std::unique_ptr<vardex::FirmwareUpload> firmwareUpload_;

  std::unique_ptr<vardex::MessageBoxes> ownBoxes_;
  vardex::MessageBoxes* boxes_;
  TForm2* form2_ = nullptr;
  vardex::ConfigDocument* document_ = nullptr;
  QComboBox* ports_ = nullptr;  // the connection group's list of ports
  vardex::WindowControls controls_;
  QTabWidget* pageControl_ = nullptr;
  vardex::WindowMenus* menus_ = nullptr;
  vardex::LogPane* memo_ = nullptr;
  QProgressBar* progress_ = nullptr;
  vardex::StatusLineController* status_ = nullptr;
  vardex::DeviceLink* link_ = nullptr;
  bool placed_ = false;
};
