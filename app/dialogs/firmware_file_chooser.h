#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace vardex {

// The file-open dialog of "Upload firmware", behind an interface so that
// tests can pick the file.
class FirmwareFileChooser {
 public:
  virtual ~FirmwareFileChooser() = default;
  // The chosen file, or nothing when the user cancelled.
  virtual std::optional<QString> ChooseFirmwareFile(QWidget* parent) = 0;
};

// QFileDialog without a file-type filter and with its default options.
class QtFirmwareFileChooser final : public FirmwareFileChooser {
 public:
  std::optional<QString> ChooseFirmwareFile(QWidget* parent) override;
};

}  // namespace vardex
