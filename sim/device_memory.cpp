#include "device_memory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "factory_image.h"

namespace vardex::sim {
namespace {

constexpr std::size_t kChecksumFirst = 4;
constexpr std::size_t kChecksumEnd = 1552;

void PutU32(std::span<std::uint8_t> image, std::size_t offset, std::uint32_t v) {
  for (std::size_t i = 0; i < 4; ++i) image[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A device fresh from the factory: every page filled in, and a checksum that
// holds.
void FillFactoryImage(std::span<std::uint8_t> image) {
  std::fill(image.begin(), image.end(), 0);
  PutFactorySettings(image);
  PutU32(image, 0, ImageChecksum(image));
}

// The image holds passwords: a new file is its owner's alone, and a file
// replaced keeps its mode (never wider than it was).
bool WriteFileWhole(const std::string& path, std::span<const std::uint8_t> bytes) {
  const std::string temp = path + ".part";
  struct stat old {};
  const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0600;
  ::unlink(temp.c_str());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0)
    return false;
  if (::fchmod(fd, mode) != 0) {
    ::close(fd);
    ::unlink(temp.c_str());
    return false;
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      ::close(fd);
      ::unlink(temp.c_str());
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0)
    return false;
  return std::rename(temp.c_str(), path.c_str()) == 0;
}

}  // namespace

std::uint32_t ImageChecksum(std::span<const std::uint8_t> image) {
  std::uint32_t sum = 0;
  for (std::size_t i = kChecksumFirst; i < kChecksumEnd; ++i) sum += image[i];
  return sum;
}

DeviceMemory::DeviceMemory() {
  FillFactoryImage(image_);
}

std::string DeviceMemory::LoadImage(const std::string& path) {
  // Not blocking: a FIFO would wait for a writer before the check below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0)
    return std::string("cannot open (") + std::strerror(errno) + ")";
  struct stat node {};
  if (::fstat(fd, &node) == 0 && !S_ISREG(node.st_mode) && !S_ISDIR(node.st_mode)) {
    ::close(fd);
    return "not a regular file";
  }
  std::array<std::uint8_t, kImageSize + 1> buffer{};
  std::size_t got = 0;
  int readError = 0;
  while (got < buffer.size()) {
    const ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      readError = errno;  // a folder: EISDIR
    if (n <= 0)
      break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  if (readError != 0)
    return std::string("cannot read (") + std::strerror(readError) + ")";
  if (got > kImageSize)
    return "holds more than 2048 bytes, not an image";
  if (got != kImageSize)
    return "holds " + std::to_string(got) + " bytes, not 2048";
  std::copy_n(buffer.begin(), kImageSize, image_.begin());
  return {};
}

std::span<const std::uint8_t> DeviceMemory::ImagePage(std::size_t page) const {
  return std::span<const std::uint8_t>(image_).subspan(page * kPageSize, kPageSize);
}

bool DeviceMemory::StorePage(Region region, std::size_t page, std::span<const std::uint8_t> data) {
  const std::span<std::uint8_t> memory = region == Region::kImage
                                             ? std::span<std::uint8_t>(image_)
                                             : std::span<std::uint8_t>(firmware_);
  if (page >= memory.size() / kPageSize || data.size() != kPageSize)
    return false;
  std::copy(data.begin(), data.end(),
            memory.begin() + static_cast<std::ptrdiff_t>(page * kPageSize));
  if (region == Region::kFirmware)
    firmwarePages_ = std::max(firmwarePages_, page + 1);
  return true;
}

bool DeviceMemory::Save(Region region, const std::string& path) const {
  if (region == Region::kImage)
    return WriteFileWhole(path, image_);
  return WriteFileWhole(path,
                        std::span<const std::uint8_t>(firmware_).first(firmwarePages_ * kPageSize));
}

}  // namespace vardex::sim
