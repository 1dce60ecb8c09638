// Any 2048 bytes taken as an image read from the device: decode it, build an
// image from the decoded settings as "Write config" does, and check what was
// built against the field tables. One section is also driven on its own, so
// that an invalid field early in the image does not hide the later ones.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "config_driver.h"
#include "field_codec.h"
#include "fuzz_failure.h"
#include "image_checks.h"
#include "settings_compare.h"

namespace vardex {
namespace {

// What unwritten bytes hold when one section is encoded alone.
constexpr std::uint8_t kFill = 0xA5;
// The last image byte lies in no field and outside the checksum: it picks
// the section that is driven alone, so the fuzzer can steer to each.
constexpr std::size_t kSectionPick = 2047;

// Buffers reused across runs: allocations are what makes a run slow under
// the sanitizers. The images sit on the heap at their exact size, so a read
// past an image is caught.
struct Scratch {
  const ConfigSettings defaults{};
  ConfigSettings decoded;
  ConfigSettings readBack;
  ConfigSettings padded;
  std::unique_ptr<ConfigImage> input = std::make_unique<ConfigImage>();
  std::unique_ptr<ConfigImage> built = std::make_unique<ConfigImage>();
  // The whole image was built and read back, every section compared.
  bool wholeReadBack = false;
};

// A callsign shorter than six characters comes back padded with spaces: the
// image has no other form for it.
void PadCallsign(std::string& callsign) {
  std::size_t characters = 0;
  for (char c : callsign) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  if (characters < 6)
    callsign.append(6 - characters, ' ');
}

// Reading back the image that the decoded settings built gives those
// settings.
void ExpectReadBackSame(Scratch& s, ImageSection section) {
  const ConfigSettings* expected = &s.decoded;
  if (section == ImageSection::kRadio) {
    CopySection(ImageSection::kRadio, s.decoded, s.padded);
    PadCallsign(s.padded.radio.callsign);
    expected = &s.padded;
  }
  if (!SameSection(*expected, s.readBack, section)) {
    FuzzFailure("read back",
                "settings changed:\n" + DescribeDifference(*expected, s.readBack, section));
  }
}

// The whole road: decode, build as "Write config" does, read the result back.
void CheckWholeImage(Scratch& s) {
  s.decoded = s.defaults;
  s.wholeReadBack = false;
  ShowConfigImage(*s.input, s.decoded);

  ConfigImage& built = *s.built;
  built.bytes.fill(kFill);  // the build starts from a cleared image
  const StepResult result = BuildConfigImage(s.decoded, built);
  ExpectNone(FindByteOutsideFields(built), "build");
  ExpectNone(FindUnterminatedText(built), "build");
  if (!result.Succeeded()) {
    if (result.text.empty())
      FuzzFailure("build", "a refused image carries no message");
    if (std::any_of(built.bytes.begin(), built.bytes.begin() + 4, [](auto b) { return b != 0; }))
      FuzzFailure("build", "a refused image carries a checksum");
    return;
  }
  ExpectNone(FindChecksumMismatch(built), "build");

  s.readBack = s.defaults;
  ShowConfigImage(built, s.readBack);
  for (std::size_t i = 0; i < kImageSectionCount; ++i) {
    ExpectReadBackSame(s, static_cast<ImageSection>(i));
  }
  s.wholeReadBack = true;
}

// One section alone over an image whose other bytes hold a fill pattern: it
// writes only its own fields, ends its texts itself, and reads back what it
// wrote (unless the whole image showed that already). Reuses the settings
// that CheckWholeImage decoded: a section decodes the same whatever the
// others hold.
void CheckSection(Scratch& s, ImageSection section) {
  ConfigImage& image = *s.built;
  image.bytes.fill(kFill);
  const StepResult result = EncodeSection(section, s.decoded, image);
  ExpectNone(FindWriteOutsideSection(image, section, kFill), "section encode");
  if (!result.Succeeded())
    return;
  ExpectNone(FindUnterminatedText(image, section), "section encode");
  if (s.wholeReadBack)
    return;
  CopySection(section, s.defaults, s.readBack);
  DecodeSection(section, image, s.readBack);
  ExpectReadBackSame(s, section);
}

}  // namespace
}  // namespace vardex

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vardex;
  static auto* scratch = new Scratch;  // lives as long as the process
  auto& input = scratch->input->bytes;
  input.fill(0);
  std::copy_n(data, std::min(size, input.size()), input.begin());
  CheckWholeImage(*scratch);
  CheckSection(*scratch, static_cast<ImageSection>(input[kSectionPick] % kImageSectionCount));
  return 0;
}
