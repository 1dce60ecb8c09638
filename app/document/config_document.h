#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <vector>

#include "config_image.h"
#include "config_settings.h"
#include "field_table.h"
#include "local_time.h"
#include "step_result.h"
#include "transfer_types.h"

namespace vardex {

// The configuration the window shows: its settings (the one home of the
// values; the pages only show them), the image they were read or opened
// from (the base), where they came from, the file they belong to, and which
// fields differ from the base. It opens and saves files, builds the image a
// write sends and words the title and the question before a write.
class ConfigDocument final : public QObject {
  Q_OBJECT

 public:
  struct Source {
    enum class Kind { kStartUp, kRead, kWritten, kFile } kind = Kind::kStartUp;
    QString comName;  // kRead, kWritten
    QString time;     // hh:mm
    QString path;     // kFile
  };
  // A question the window asks before a write: its text and the detail.
  struct WriteQuestion {
    QString text;
    QString detail;
  };
  // Why a save stopped: a field's rule (`failure`) or the file (`error`).
  struct SaveResult {
    bool saved = false;
    StepResult failure;
    QString error;
  };

  // Start-up values, the clock fields from `clock` (kept by reference).
  explicit ConfigDocument(const LocalTimeSource& clock, QObject* parent = nullptr);

  const ConfigSettings& Settings() const { return settings_; }
  // One field's value as a page sets it.
  void SetValue(const ImageField& field, const FieldValue& value);
  // The clock fields take the PC's local time.
  void FillClockFromPc();
  // "Default parameters" of analog channel `channelNumber` (1 to 5).
  void ApplyChannelDefaults(int channelNumber);

  // A verified image from the device on `comName` becomes the values and
  // the base; the base is the image itself, shared, not a copy of it.
  void TakeRead(const SharedConfigImage& image, const QString& comName);
  // The image built last went to the device on `comName` and is its base now.
  void MarkWritten(const QString& comName);
  // Shows `image`'s values; the base and the source stay (the edits are
  // counted against them).
  void ShowImage(const ConfigImage& image);

  // Opens an image or a text form; on failure `error` says why and nothing changes.
  bool Open(const QString& path, QString& error);
  // Without edits the base is saved byte for byte; with edits they are
  // stored over the base; start-up values are built as a write builds them.
  SaveResult Save(const QString& path);

  // Validates every field and builds what "Write config" sends; after a
  // read or an Open the bytes no field shows are the base's.
  StepResult BuildImageToSend();
  const ConfigImage& ImageToSend() const { return toSend_; }
  // The field a failed step names, or null.
  const ImageField* FailedField(const StepResult& result) const;

  const Source& ValuesSource() const { return source_; }
  const QString& FilePath() const { return filePath_; }
  // The window title: the program's name, then where the values came from
  // and whether they were edited.
  QString Title() const;
  // The question before a write to `targetCom`; none when the values came
  // from a file or from the device on that port.
  std::optional<WriteQuestion> QuestionBeforeWrite(const QString& targetCom) const;

  // The fields whose value differs from the base, in table order. The
  // clock set values and the PC time option are the PC's own and never do.
  std::vector<const ImageField*> Edits() const;
  int EditCount() const { return editCount_; }
  bool IsEdited(const ImageField& field) const;
  FieldValue BaseValue(const ImageField& field) const { return ValueOf(field, base_); }
  void Revert(const ImageField& field);
  void RevertAll();

 signals:
  // Every value may have changed: the pages show them all again.
  void ValuesReplaced();
  // The document changed one value itself (a revert, a default, the clock).
  void ValueChanged(const vardex::ImageField* field);
  // The pages gave the document one value (the user's edit).
  void ValueTaken(const vardex::ImageField* field);
  // Some field became edited or unedited, or the base moved.
  void EditsChanged(int count);
  void TitleChanged(const QString& title);

 private:
  void Change(const ConfigSettings& before);
  void NewBase(const ConfigSettings& base, SharedConfigImage image, Source source);
  // Compares every field with the base; tells when any turned, or `always`.
  void CountEdits(bool always);
  void NoteTitle();

  const LocalTimeSource& clock_;
  ConfigSettings settings_;
  ConfigSettings base_;
  SharedConfigImage baseImage_;  // null for the start-up values
  ConfigImage toSend_;
  ConfigSettings toSendSettings_;
  Source source_;
  QString filePath_;
  std::vector<bool> edited_;  // by the field's index in ImageFields()
  int editCount_ = 0;
  QString title_;
};

}  // namespace vardex
