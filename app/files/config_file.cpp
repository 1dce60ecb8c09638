#include "config_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <string>

#include "config_driver.h"
#include "field_rows.h"
#include "image_compare.h"
#include "image_file.h"
#include "local_time.h"
#include "step_result.h"
#include "text_form.h"

namespace vardex {
namespace {

// Larger than any text form; a file beyond it is neither form.
constexpr auto kLargestConfigFile = static_cast<qint64>(kLargestTextForm);

// Plain text: UTF-8 without control characters other than line ends and tabs.
bool LooksLikeText(const QByteArray& contents) {
  for (const char c : contents) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\n' && c != '\r' && c != '\t') || byte == 0x7F)
      return false;
  }
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString decoded = utf8(contents);
  return !utf8.hasError();
}

}  // namespace

ConfigFileForm FormForName(const QString& path) {
  return path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive) ? ConfigFileForm::kText
                                                                    : ConfigFileForm::kImage;
}

std::optional<ConfigImage> OpenConfigFile(const QString& path, QString& error) {
  const QString name = QFileInfo(path).fileName();
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
  ConfigImage image;
  if (contents.size() == static_cast<qsizetype>(ConfigImage::kSize) && !LooksLikeText(contents)) {
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
  if (!LooksLikeText(contents)) {
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
    error = name + QStringLiteral(": ") + QString::fromStdString(FailureText(built));
    return std::nullopt;
  }
  if (const FieldRow* cut = FirstFieldNotKept(settings, image)) {
    error = QStringLiteral("%1: [%2] %3: \"%4\" does not fit its field.")
                .arg(name,
                     QString::fromUtf8(cut->page->caption.data(),
                                       static_cast<qsizetype>(cut->page->caption.size())),
                     QString::fromStdString(cut->control->label),
                     QString::fromStdString(ShownValue(*cut->control, settings)));
    return std::nullopt;
  }
  return image;
}

bool SaveConfigFile(const QString& path, const ConfigImage& image, QString& error) {
  std::string why;
  bool saved = false;
  if (FormForName(path) == ConfigFileForm::kText) {
    saved = WriteFileAtomically(QFile::encodeName(path).toStdString(),
                                ExportText(SettingsFromImage(image)), why);
  } else {
    saved = WriteImageFile(QFile::encodeName(path).toStdString(), image, why);
  }
  if (!saved)
    error = QString::fromStdString(why);
  return saved;
}

QString NotFirmwareKind(const QByteArray& contents) {
  if (contents.size() == static_cast<qsizetype>(ConfigImage::kSize)) {
    ConfigImage image;
    std::copy(contents.begin(), contents.end(), image.bytes.begin());
    if (ImageChecksumHolds(image))
      return QStringLiteral("a configuration image");
  }
  if (!contents.isEmpty() && LooksLikeText(contents))
    return QStringLiteral("a text file");
  return {};
}

}  // namespace vardex
