#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>

#include "config_image.h"

namespace vardex {

// The two forms a configuration is kept in on the PC: the 2048-byte image
// that "Read config" receives and `vardex read` writes, and the text form of
// `vardex export` (chosen by the ending ".txt").
enum class ConfigFileForm { kImage, kText };
ConfigFileForm FormForName(const QString& path);

// Reads an image file or a text form into the image a read from the device
// would have brought: an image must hold its checksum; a text form is laid
// over the start-up values and must pass every rule of "Write config". On
// failure `error` says why, naming the file.
std::optional<ConfigImage> OpenConfigFile(const QString& path, QString& error);

// Writes `image` (as "Write config" built it) to `path`, as an image or as
// text by the name; the file is replaced whole or not at all.
bool SaveConfigFile(const QString& path, const ConfigImage& image, QString& error);

// What a file chosen for "Upload firmware" looks like when it is not a
// firmware: "a configuration image", "a text file", or empty.
QString NotFirmwareKind(const QByteArray& contents);

}  // namespace vardex
