#include "config_document.h"

#include <QFileInfo>
#include <memory>
#include <utility>

#include "config_driver.h"
#include "config_file.h"
#include "field_codec.h"
#include "image_compare.h"

namespace vardex {
namespace {

constexpr const char* kTitle = "VARDEX Plus Configurator v1.26";

std::size_t IndexOf(const ImageField& field) {
  return static_cast<std::size_t>(&field - ImageFields().data());
}

// The fields a page shows that count as edits, by their index in the
// table: every field with a setting, but the clock set values follow the PC
// and the PC time option is the window's own choice.
const std::vector<bool>& Tracked() {
  static const std::vector<bool> tracked = [] {
    std::vector<bool> marks(ImageFields().size(), false);
    for (const ImageField& field : ImageFields()) {
      marks[IndexOf(field)] = field.HasSetting() && field.kind != FieldKind::kClockWord &&
                              field.kind != FieldKind::kNotStored;
    }
    return marks;
  }();
  return tracked;
}

// A list shows no selection for an index outside its entries, and a write
// sends what the list shows.
void KeepListsShowable(ConfigSettings& settings) {
  for (const ImageField& field : ImageFields()) {
    if (PartOfKind(field.kind) != ValuePart::kIndex)
      continue;
    FieldValue value = ValueOf(field, settings);
    if (value.index < -1 || value.index >= field.listItems) {
      value.index = -1;
      SetValue(field, settings, value);
    }
  }
}

// "09:05": the time a read or a write finished, for the title.
QString HoursMinutes(const LocalTimeSource& clock) {
  const std::tm now = clock.Now();
  return QStringLiteral("%1:%2")
      .arg(now.tm_hour, 2, 10, QLatin1Char('0'))
      .arg(now.tm_min, 2, 10, QLatin1Char('0'));
}

QString Quoted(const QString& text) {
  return QStringLiteral("\"%1\"").arg(text);
}

}  // namespace

ConfigDocument::ConfigDocument(const LocalTimeSource& clock, QObject* parent)
    : QObject(parent), clock_(clock), edited_(ImageFields().size(), false) {
  FillClockFromSystemTime(settings_.clock, clock_);
  base_ = settings_;
  title_ = Title();
}

void ConfigDocument::SetValue(const ImageField& field, const FieldValue& value) {
  if (ValueOf(field, settings_) == value)
    return;
  vardex::SetValue(field, settings_, value);
  emit ValueTaken(&field);
  const std::size_t i = IndexOf(field);
  if (!Tracked()[i])
    return;
  const bool edited = value != ValueOf(field, base_);
  if (edited == edited_[i])
    return;
  edited_[i] = edited;
  editCount_ += edited ? 1 : -1;
  emit EditsChanged(editCount_);
  NoteTitle();
}

void ConfigDocument::FillClockFromPc() {
  const ConfigSettings before = settings_;
  FillClockFromSystemTime(settings_.clock, clock_);
  Change(before);
}

void ConfigDocument::ApplyChannelDefaults(int channelNumber) {
  if (channelNumber < 1 || channelNumber > static_cast<int>(settings_.telemetry.channels.size()))
    return;
  const ConfigSettings before = settings_;
  vardex::ApplyChannelDefaults(
      settings_.telemetry.channels[static_cast<std::size_t>(channelNumber - 1)], channelNumber);
  Change(before);
}

void ConfigDocument::TakeRead(const SharedConfigImage& image, const QString& comName) {
  if (!image)
    return;
  ShowImage(*image);
  filePath_.clear();  // "Save" asks for a name rather than overwrite the last file
  NewBase(settings_, image, {Source::Kind::kRead, comName, HoursMinutes(clock_), {}});
}

void ConfigDocument::MarkWritten(const QString& comName) {
  // What was sent is the device's now; edits made meanwhile stay edits.
  NewBase(toSendSettings_, std::make_shared<const ConfigImage>(toSend_),
          {Source::Kind::kWritten, comName, HoursMinutes(clock_), {}});
}

void ConfigDocument::ShowImage(const ConfigImage& image) {
  ShowConfigImage(image, settings_);
  KeepListsShowable(settings_);
  emit ValuesReplaced();
  CountEdits(false);
  NoteTitle();
}

bool ConfigDocument::Open(const QString& path, QString& error) {
  const std::optional<ConfigImage> image = OpenConfigFile(path, error);
  if (!image)
    return false;
  ShowImage(*image);
  filePath_ = path;
  NewBase(settings_, std::make_shared<const ConfigImage>(*image),
          {Source::Kind::kFile, {}, {}, path});
  return true;
}

ConfigDocument::SaveResult ConfigDocument::Save(const QString& path) {
  SaveResult result;
  ConfigImage image;
  if (!baseImage_) {
    // The image "Write config" would send, clock included.
    if (settings_.clock.uploadPcTime)
      FillClockFromPc();
    result.failure = BuildImageToSend();
    image = toSend_;
  } else {
    // The device's own bytes; only what was edited is stored over them.
    image = *baseImage_;
    std::vector<bool> sectionEdited(kImageSectionCount, false);
    for (const ImageField* field : Edits())
      sectionEdited[static_cast<std::size_t>(field->section)] = true;
    for (const ImageField& field : ImageFields()) {
      // The web login token follows the user and password of its section.
      const bool derived = field.kind == FieldKind::kBase64Token &&
                           sectionEdited[static_cast<std::size_t>(field.section)];
      if (!derived && !IsEdited(field))
        continue;
      result.failure = EncodeField(field, settings_, image);
      if (!result.failure.Succeeded())
        break;
    }
    if (EditCount() > 0)
      StoreImageChecksum(image);
  }
  if (!result.failure.Succeeded())
    return result;
  if (!SaveConfigFile(path, image, result.error))
    return result;
  result.saved = true;
  filePath_ = path;
  NewBase(settings_, std::make_shared<const ConfigImage>(image),
          {Source::Kind::kFile, {}, {}, path});
  return result;
}

StepResult ConfigDocument::BuildImageToSend() {
  StepResult result = BuildConfigImage(settings_, toSend_);
  if (!result.Succeeded())
    return result;
  // Bytes no field shows go back as they were read, as `vardex write` does.
  if (baseImage_) {
    std::string kept;
    KeepUnshownBytes(*baseImage_, toSend_, kept);
  }
  toSendSettings_ = settings_;
  return result;
}

const ImageField* ConfigDocument::FailedField(const StepResult& result) const {
  return FieldHolding(settings_, result.field);
}

QString ConfigDocument::Title() const {
  const bool edited = editCount_ > 0;
  // Untouched start-up values keep the plain caption.
  if (source_.kind == Source::Kind::kStartUp && !edited)
    return QString::fromLatin1(kTitle);
  QString from;
  switch (source_.kind) {
    case Source::Kind::kStartUp:
      from = QStringLiteral("start-up values");
      break;
    case Source::Kind::kRead:
      from = QStringLiteral("the device on %1 read at %2").arg(source_.comName, source_.time);
      break;
    case Source::Kind::kWritten:
      from = QStringLiteral("written to the device on %1 at %2").arg(source_.comName, source_.time);
      break;
    case Source::Kind::kFile:
      from = QFileInfo(source_.path).fileName();
      break;
  }
  return QStringLiteral("%1 - %2%3")
      .arg(QString::fromLatin1(kTitle), from, edited ? QStringLiteral(" (edited)") : QString());
}

std::optional<ConfigDocument::WriteQuestion> ConfigDocument::QuestionBeforeWrite(
    const QString& targetCom) const {
  QString held;
  switch (source_.kind) {
    case Source::Kind::kFile:
      return std::nullopt;
    case Source::Kind::kRead:
    case Source::Kind::kWritten:
      if (source_.comName == targetCom)
        return std::nullopt;
      held = QStringLiteral("values read from the device on %1").arg(source_.comName);
      break;
    case Source::Kind::kStartUp:
      held = QStringLiteral("the start-up values");
      break;
  }
  return WriteQuestion{
      QStringLiteral("The pages hold %1, not a configuration read from this device or opened "
                     "from a file. %2 replaces the whole configuration of the device on %3 with "
                     "them.")
          .arg(held, Quoted(QStringLiteral("Write config")), targetCom),
      QStringLiteral("To keep the device's configuration, press %1 first, or open a saved file.")
          .arg(Quoted(QStringLiteral("Read config")))};
}

std::vector<const ImageField*> ConfigDocument::Edits() const {
  std::vector<const ImageField*> edits;
  for (const ImageField& field : ImageFields()) {
    if (edited_[IndexOf(field)])
      edits.push_back(&field);
  }
  return edits;
}

bool ConfigDocument::IsEdited(const ImageField& field) const {
  return edited_[IndexOf(field)];
}

void ConfigDocument::Revert(const ImageField& field) {
  const ConfigSettings before = settings_;
  vardex::SetValue(field, settings_, ValueOf(field, base_));
  Change(before);
}

void ConfigDocument::RevertAll() {
  const ConfigSettings before = settings_;
  for (const ImageField* field : Edits())
    vardex::SetValue(*field, settings_, ValueOf(*field, base_));
  Change(before);
}

void ConfigDocument::Change(const ConfigSettings& before) {
  for (const ImageField& field : ImageFields()) {
    if (field.HasSetting() && ValueOf(field, before) != ValueOf(field, settings_))
      emit ValueChanged(&field);
  }
  CountEdits(false);
  NoteTitle();
}

void ConfigDocument::NewBase(const ConfigSettings& base, SharedConfigImage image, Source source) {
  base_ = base;
  baseImage_ = std::move(image);
  source_ = std::move(source);
  CountEdits(true);
  NoteTitle();
}

void ConfigDocument::CountEdits(bool always) {
  bool flipped = false;
  int count = 0;
  for (const ImageField& field : ImageFields()) {
    const std::size_t i = IndexOf(field);
    const bool edited = Tracked()[i] && ValueOf(field, settings_) != ValueOf(field, base_);
    flipped = flipped || edited != edited_[i];
    edited_[i] = edited;
    count += edited ? 1 : 0;
  }
  editCount_ = count;
  if (flipped || always)
    emit EditsChanged(editCount_);
}

void ConfigDocument::NoteTitle() {
  const QString title = Title();
  if (title == title_)
    return;
  title_ = title;
  emit TitleChanged(title_);
}

}  // namespace vardex
