#include "config_file.h"
#include "app_platform.h"

#include <QFile>
#include <QFileInfo>
#include <string>

#include "config_driver.h"
#include "field_rows.h"
#include "file_kind.h"
#include "files_platform.h"
#include "image_compare.h"
#include "image_file.h"
#include "local_time.h"
#include "step_result.h"
#include "text_form.h"

namespace vardex {
namespace {

// Larger than any text form; a file beyond it is neither form.
constexpr auto kLargestConfigFile = static_cast<qint64>(kLargestTextForm);

}  // namespace

ConfigFileForm FormForName(const QString& path) {
  return path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive) ? ConfigFileForm::kText
                                                                    : ConfigFileForm::kImage;
}

std::optional<ConfigImage> OpenConfigFile(const QString& path, QString& error) {
  const QFileInfo info(path);
  const QString name = info.fileName();
  // A FIFO or a device would block the window or never end.
  if (info.exists() && !info.isFile()) {
    error = QStringLiteral("%1: not a regular file.").arg(name);
    return std::nullopt;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = QStringLiteral("%1: cannot open (%2).").arg(name, file.errorString());
    return std::nullopt;
  }
  const QByteArray contents = file.read(kLargestConfigFile + 1);
  if (contents.size() > kLargestConfigFile) {
    error = QStringLiteral(
                "%1 is neither a configuration image (2048 bytes) nor a text form: it "
                "is larger than 1 MiB.")
                .arg(name);
    return std::nullopt;
  }
  const bool text = LooksLikeText(
      std::string_view(contents.constData(), static_cast<std::size_t>(contents.size())));
  ConfigImage image;
  if (contents.size() == static_cast<qsizetype>(ConfigImage::kSize) && !text) {
    std::copy(contents.begin(), contents.end(), image.bytes.begin());
    const std::string problem = ChecksumProblem(name.toStdString(), image);
    if (!problem.empty()) {
      error =
          QString::fromStdString(problem) +
          QStringLiteral(": the device would refuse it as well, so the pages stay as they are.");
      return std::nullopt;
    }
    return image;
  }
  // A file named as a text form is read as one, so that a stray control
  // character is named with its line.
  if (!text && FormForName(path) != ConfigFileForm::kText) {
    error = QStringLiteral(
                "%1 is neither a configuration image (2048 bytes, this file has %2) nor "
                "a text form.")
                .arg(name)
                .arg(contents.size());
    return std::nullopt;
  }
  ConfigSettings settings;
  FillClockFromSystemTime(settings.clock, SystemLocalTimeSource{});
  std::string why;
  if (!ImportText(contents.toStdString(), name.toStdString(), settings, why)) {
    error = QString::fromStdString(why);
    return std::nullopt;
  }
  const StepResult built = BuildConfigImage(settings, image);
  if (!built.Succeeded()) {
    error =
        name + QStringLiteral(": ") + QString::fromStdString(EscapeControls(FailureText(built)));
    return std::nullopt;
  }
  if (const FieldRow* cut = FirstFieldNotKept(settings, image)) {
    error = QStringLiteral("%1: [%2] %3: \"%4\" does not fit its field.")
                .arg(name,
                     QString::fromUtf8(cut->page->caption.data(),
                                       static_cast<qsizetype>(cut->page->caption.size())),
                     QString::fromStdString(cut->control->label),
                     QString::fromStdString(EscapeControls(ShownValue(*cut->control, settings))));
    return std::nullopt;
  }
  return image;
}

bool SaveConfigFile(const QString& path, const ConfigImage& image, QString& error) {
  std::string why;
  bool saved = false;
  if (FormForName(path) == ConfigFileForm::kText) {
    saved = WriteFileAtomically(FileNameBytes(path), ExportText(SettingsFromImage(image)), why);
  } else {
    saved = WriteImageFile(FileNameBytes(path), image, why);
  }
  if (!saved)
    error = QString::fromStdString(why);
  return saved;
}

QString NotFirmwareKind(const QByteArray& contents) {
  const std::string_view kind = vardex::NotFirmwareKind(
      std::string_view(contents.constData(), static_cast<std::size_t>(contents.size())));
  return QString::fromLatin1(kind.data(), static_cast<qsizetype>(kind.size()));
}

}  // namespace vardex
