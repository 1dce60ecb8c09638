#include "zip_archive.h"

#include <array>
#include <cstdint>

namespace vardex {
namespace {

// The CRC-32 of zip (and of Ethernet and PNG): reflected polynomial 0xEDB88320.
std::uint32_t Crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t c = i;
      for (int bit = 0; bit < 8; ++bit) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char byte : bytes)
    crc = table[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void Put16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

constexpr std::uint32_t kVersion = 20;  // 2.0: stored entries in folders
constexpr std::uint32_t kUtf8Names = 1u << 11;

// The fields that the local header and the central directory share, from
// "version needed" to the name's length.
void PutCommon(std::string& out, const ZipEntry& entry, std::uint32_t crc, std::uint32_t dosTime,
               std::uint32_t dosDate) {
  Put16(out, kVersion);
  Put16(out, kUtf8Names);
  Put16(out, 0);  // stored
  Put16(out, dosTime);
  Put16(out, dosDate);
  Put32(out, crc);
  Put32(out, static_cast<std::uint32_t>(entry.contents.size()));  // compressed
  Put32(out, static_cast<std::uint32_t>(entry.contents.size()));
  Put16(out, static_cast<std::uint32_t>(entry.name.size()));
}

}  // namespace

std::string ZipArchive(std::span<const ZipEntry> entries, const ZipTime& time) {
  const auto dosTime =
      static_cast<std::uint32_t>((time.hour << 11) | (time.minute << 5) | (time.second / 2));
  const auto dosDate =
      static_cast<std::uint32_t>(((time.year - 1980) << 9) | (time.month << 5) | time.day);
  std::string archive;
  std::string directory;
  for (const ZipEntry& entry : entries) {
    const std::uint32_t crc = Crc32(entry.contents);
    const auto offset = static_cast<std::uint32_t>(archive.size());
    Put32(archive, 0x04034B50);
    PutCommon(archive, entry, crc, dosTime, dosDate);
    Put16(archive, 0);  // no extra field
    archive += entry.name;
    archive += entry.contents;

    Put32(directory, 0x02014B50);
    Put16(directory, kVersion);  // made by: MS-DOS attributes
    PutCommon(directory, entry, crc, dosTime, dosDate);
    Put16(directory, 0);  // extra field
    Put16(directory, 0);  // comment
    Put16(directory, 0);  // disk
    Put16(directory, 0);  // internal attributes
    Put32(directory, 0);  // external attributes
    Put32(directory, offset);
    directory += entry.name;
  }
  const auto directoryOffset = static_cast<std::uint32_t>(archive.size());
  archive += directory;
  Put32(archive, 0x06054B50);
  Put16(archive, 0);
  Put16(archive, 0);
  Put16(archive, static_cast<std::uint32_t>(entries.size()));
  Put16(archive, static_cast<std::uint32_t>(entries.size()));
  Put32(archive, static_cast<std::uint32_t>(directory.size()));
  Put32(archive, directoryOffset);
  Put16(archive, 0);  // comment
  return archive;
}

}  // namespace vardex
