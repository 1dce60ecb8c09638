#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

#include "config_settings.h"
#include "spoken_status.h"

class QLabel;
class QMenuBar;
class QTabWidget;
class QWidget;

namespace vardex {

class StationCheckDialog;

// The station check in the window: "Station check..." in a "Tools" menu,
// and beside the status line "2 notes on this configuration" while there
// are findings, announced to screen readers as the status line is. Both
// follow the pages as they change. Findings are advice: nothing here stops
// a write or a save.
class CheckNotes final : public QObject {
  Q_OBJECT

 public:
  using SettingsSource = std::function<ConfigSettings()>;

  // `pages` holds the controls to watch and to bring in front.
  // `pages` holds the controls to bring in front; the window puts Line()
  // beside its status line.
  CheckNotes(QTabWidget* pages, QMenuBar* menuBar, SettingsSource settings);

  // The values changed: check again once the burst settles.
  void Later();

  // Checks the pages now rather than after the next edit settles.
  void Refresh();
  QLabel* Line() const { return line_; }
  // The sentence the write question adds for the current values, as
  // CheckNotesSentence words it; checks first when a check is still due.
  QString Sentence();
  // Opens the list of findings; "Go to field" brings the field in front.
  StationCheckDialog* OpenList();

 private:
  QTabWidget* pages_;
  SettingsSource settings_;
  QLabel* line_;
  QTimer settle_;
  std::size_t count_ = 0;  // findings of the last check
  SpokenStatus spoken_{[] { return AnnouncePace::Clock::now(); }};
  QPointer<StationCheckDialog> dialog_;
};

// The sentence the write question adds while the pages have findings, with
// a leading space; empty without findings.
QString CheckNotesSentence(const ConfigSettings& settings);

}  // namespace vardex
