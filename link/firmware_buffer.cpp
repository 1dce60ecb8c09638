#include "firmware_buffer.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "link_platform.h"

namespace vardex {

std::uint32_t FirmwarePageCount(std::uint64_t size) {
  return static_cast<std::uint32_t>((size + kPageSize - 1) / kPageSize);
}

std::uint32_t FirmwareBuffer::PageCount() const {
  return FirmwarePageCount(size);
}

std::uint32_t FirmwareBuffer::LastPageIndex() const {
  const std::uint32_t pages = PageCount();
  return pages == 0 ? 0 : pages - 1;
}

std::string_view FirmwareLoadMessage(FirmwareLoadStatus status) {
  switch (status) {
    case FirmwareLoadStatus::kLoaded:
      return {};
    case FirmwareLoadStatus::kTooLong:
      return "Firmware file too long.";
    case FirmwareLoadStatus::kCannotOpen:
    case FirmwareLoadStatus::kShortRead:
      break;
  }
  return "File open error.";
}

FirmwareLoadStatus LoadFirmware(FirmwareSource& source, FirmwareBuffer& buffer) {
  const std::int64_t size = source.Size();
  if (size < 0)
    return FirmwareLoadStatus::kCannotOpen;
  if (static_cast<std::uint64_t>(size) > FirmwareBuffer::kCapacity) {
    return FirmwareLoadStatus::kTooLong;
  }
  const auto wanted = static_cast<std::size_t>(size);
  if (source.ReadAll(buffer.bytes.data(), wanted) != wanted)
    return FirmwareLoadStatus::kShortRead;
  buffer.size = static_cast<std::uint32_t>(wanted);
  // Page 0 is sent even for an empty file, so pad at least that page.
  const std::size_t sentEnd = std::max<std::size_t>(1, buffer.PageCount()) * kPageSize;
  std::fill(buffer.bytes.begin() + static_cast<std::ptrdiff_t>(wanted),
            buffer.bytes.begin() + static_cast<std::ptrdiff_t>(sentEnd), 0);
  return FirmwareLoadStatus::kLoaded;
}

namespace {

class FileSource final : public FirmwareSource {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {}
  ~FileSource() { std::fclose(file_); }
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  std::int64_t Size() override {
    if (std::fseek(file_, 0, SEEK_END) != 0)
      return -1;
    const long size = std::ftell(file_);
    if (size < 0 || std::fseek(file_, 0, SEEK_SET) != 0)
      return -1;
    return size;
  }
  std::size_t ReadAll(std::uint8_t* into, std::size_t count) override {
    std::size_t total = 0;
    while (total < count) {
      const std::size_t got = std::fread(into + total, 1, count - total, file_);
      if (got == 0)
        break;
      total += got;
    }
    return total;
  }

 private:
  std::FILE* file_;
};

}  // namespace

FirmwareLoadStatus LoadFirmwareFile(const char* path, FirmwareBuffer& buffer) {
  // A folder opens for reading on Linux and seeks to an absurd size, a FIFO
  // waits for a writer: only a regular file is opened.
  const std::string_view name(path);
  const std::filesystem::path native(
      std::u8string(reinterpret_cast<const char8_t*>(name.data()), name.size()));
  std::error_code error;
  if (!std::filesystem::is_regular_file(native, error))
    return FirmwareLoadStatus::kCannotOpen;
  std::FILE* file = OpenForReading(native);
  if (file == nullptr)
    return FirmwareLoadStatus::kCannotOpen;
  FileSource source(file);
  return LoadFirmware(source, buffer);
}

FirmwareLoad LoadFirmwareFile(const char* path) {
  auto buffer = std::make_unique<FirmwareBuffer>();
  FirmwareLoad load;
  load.status = LoadFirmwareFile(path, *buffer);
  if (load.status == FirmwareLoadStatus::kLoaded)
    load.firmware = std::move(buffer);
  return load;
}

}  // namespace vardex
