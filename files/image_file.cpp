#include "image_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "files_platform.h"

namespace vardex {
namespace {

std::string OpenError(const std::string& path) {
  return path + ": cannot open (" + std::strerror(errno) + ")";
}

}  // namespace

std::filesystem::path FileSystemPath(const std::string& name) {
  return std::filesystem::path(
      std::u8string(reinterpret_cast<const char8_t*>(name.data()), name.size()));
}

std::string UnreadableFileReason(const std::string& path) {
  // A folder opens for reading on Linux and reads as nothing; opening a FIFO
  // waits for a writer and a device may never end: only files are read.
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(FileSystemPath(path), error);
  if (std::filesystem::is_directory(status))
    return path + ": is a folder, not a file";
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
    return path + ": not a regular file";
  std::ifstream file(FileSystemPath(path), std::ios::binary);
  if (!file)
    return OpenError(path);
  return {};
}

namespace {

// Opens `path` as a binary file; false with the reason in `error` otherwise.
bool OpenForReading(const std::string& path, std::ifstream& in, std::string& error) {
  error = UnreadableFileReason(path);
  if (!error.empty())
    return false;
  in.open(FileSystemPath(path), std::ios::binary);
  if (!in) {
    error = OpenError(path);
    return false;
  }
  return true;
}

}  // namespace

std::optional<ConfigImage> ReadImageFile(const std::string& path, std::string& error) {
  std::ifstream in;
  if (!OpenForReading(path, in, error))
    return std::nullopt;
  ConfigImage image;
  in.read(reinterpret_cast<char*>(image.bytes.data()), ConfigImage::kSize);
  std::size_t size = static_cast<std::size_t>(in.gcount());
  // One byte more is enough to tell a long file; its true size is shown.
  if (size == ConfigImage::kSize && in.peek() != std::char_traits<char>::eof()) {
    in.clear();
    in.seekg(0, std::ios::end);
    size = static_cast<std::size_t>(in.tellg());
  }
  if (size != ConfigImage::kSize) {
    error = path + ": " + std::to_string(size) + " bytes, but an image file holds exactly 2048";
    return std::nullopt;
  }
  return image;
}

std::string ChecksumProblem(const std::string& path, const ConfigImage& image) {
  if (ImageChecksumHolds(image))
    return {};
  char text[96];
  std::snprintf(text, sizeof text,
                ": checksum error (bytes 0 to 3 hold 0x%08X, bytes 4 to 1551 add up to 0x%08X)",
                image.GetU32(0), ComputeImageChecksum(image));
  return path + text;
}

std::optional<std::string> ReadTextFile(const std::string& path, std::string& error) {
  std::ifstream in;
  if (!OpenForReading(path, in, error))
    return std::nullopt;
  std::string text(kLargestTextForm + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (text.size() > kLargestTextForm) {
    error = path + ": longer than 1 MiB, not a text form";
    return std::nullopt;
  }
  return text;
}

bool WriteImageFile(const std::string& path, const ConfigImage& image, std::string& error) {
  return WriteFileAtomically(
      path, std::string_view(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size()),
      error);
}

}  // namespace vardex
