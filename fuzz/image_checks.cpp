#include "image_checks.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

namespace vardex {
namespace {

std::string Describe(const char* format, unsigned a, unsigned b, unsigned c = 0) {
  char line[120];
  std::snprintf(line, sizeof line, format, a, b, c);
  return line;
}

// A stretch of image bytes [begin, end).
struct ByteRun {
  unsigned begin;
  unsigned end;
};

// The stretches of bytes whose owner satisfies `pick`. Scans compare whole
// stretches at once: one check per stretch instead of one per byte keeps them
// cheap under the sanitizers.
template <typename Pick>
std::vector<ByteRun> RunsWhere(Pick pick) {
  const auto& owners = ImageByteOwners();
  std::vector<ByteRun> runs;
  for (unsigned i = 0; i < kImageBytes; ++i) {
    if (!pick(owners[i]))
      continue;
    if (!runs.empty() && runs.back().end == i) {
      runs.back().end = i + 1;
    } else {
      runs.push_back({i, i + 1});
    }
  }
  return runs;
}

// The first byte of `runs` that does not hold `expected`, if any.
std::optional<unsigned> FirstOther(const std::uint8_t* bytes, const std::vector<ByteRun>& runs,
                                   std::uint8_t expected) {
  static std::array<std::uint8_t, kImageBytes> same;
  same.fill(expected);
  for (const ByteRun& run : runs) {
    if (std::memcmp(bytes + run.begin, same.data(), run.end - run.begin) == 0)
      continue;
    unsigned i = run.begin;
    while (bytes[i] == expected) ++i;
    return i;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> FindByteOutsideFields(const ConfigImage& image) {
  // Bytes 0 to 3 are the checksum, written last.
  static const std::vector<ByteRun> outside = [] {
    auto runs = RunsWhere([](std::uint8_t owner) { return owner == kNoSection; });
    runs.front().begin = 4;
    return runs;
  }();
  const std::uint8_t* bytes = image.bytes.data();
  if (const auto i = FirstOther(bytes, outside, 0))
    return Describe("byte %u = 0x%02X lies in no field", *i, bytes[*i]);
  return std::nullopt;
}

std::optional<std::string> FindUnterminatedText(const ConfigImage& image,
                                                std::optional<ImageSection> only) {
  const std::uint8_t* bytes = image.bytes.data();
  for (const ImageField& f : ImageFields()) {
    if (!IsZeroTerminated(f.kind) || (only && f.section != *only))
      continue;
    if (std::memchr(bytes + f.offset, 0, f.width) == nullptr)
      return Describe("text field at %u (%u bytes) has no zero byte",
                      static_cast<unsigned>(f.offset), static_cast<unsigned>(f.width));
  }
  return std::nullopt;
}

std::optional<std::string> FindChecksumMismatch(const ConfigImage& image) {
  const std::uint8_t* bytes = image.bytes.data();
  std::uint32_t sum = 0;
  for (unsigned i = 4; i <= 1551; ++i) sum += bytes[i];
  const std::uint32_t stored =
      bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t{bytes[3]} << 24);
  if (stored != sum)
    return Describe("checksum 0x%08X stored, bytes 4 to 1551 sum to 0x%08X", stored, sum);
  return std::nullopt;
}

std::optional<std::string> FindWriteOutsideSection(const ConfigImage& image, ImageSection section,
                                                   std::uint8_t fill) {
  static const auto outside = [] {
    std::array<std::vector<ByteRun>, kImageSectionCount> runs;
    for (std::size_t k = 0; k < kImageSectionCount; ++k) {
      runs[k] = RunsWhere([k](std::uint8_t owner) { return owner != k; });
    }
    return runs;
  }();
  const std::uint8_t* bytes = image.bytes.data();
  const auto k = static_cast<std::size_t>(section);
  if (const auto i = FirstOther(bytes, outside[k], fill)) {
    return Describe("section %u wrote 0x%02X to byte %u outside its fields",
                    static_cast<unsigned>(section), bytes[*i], *i);
  }
  return std::nullopt;
}

}  // namespace vardex
