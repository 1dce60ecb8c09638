#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "config_image.h"

namespace vardex {

// File names are UTF-8 strings on Windows (turned into the system's wide
// names here) and the system's own bytes elsewhere.
std::filesystem::path FileSystemPath(const std::string& name);

// Empty when `path` opens for reading as a file; else the complaint naming
// it and why not (a folder, a FIFO or device, missing, not allowed). Never
// opens what is not a regular file, so it never waits.
std::string UnreadableFileReason(const std::string& path);

// Reads an image file: exactly 2048 bytes, the format vardex-sim --image
// takes. On failure `error` names the file and what is wrong with it.
std::optional<ConfigImage> ReadImageFile(const std::string& path, std::string& error);

// Empty when bytes 0 to 3 hold the checksum; else the complaint about `path`.
std::string ChecksumProblem(const std::string& path, const ConfigImage& image);

// The most a text form file may hold; a text form is a few kilobytes.
inline constexpr std::size_t kLargestTextForm = 1 << 20;

// Reads a whole text file, up to kLargestTextForm bytes.
std::optional<std::string> ReadTextFile(const std::string& path, std::string& error);

// Replaces `path` with the image's bytes whole (WriteFileAtomically).
bool WriteImageFile(const std::string& path, const ConfigImage& image, std::string& error);

}  // namespace vardex
