// What a verification says about an image the device gave back.
#include "image_compare.h"

#include <gtest/gtest.h>

#include "config_driver.h"

namespace vardex {
namespace {

ConfigImage StartUpImage() {
  ConfigImage image;
  EXPECT_TRUE(BuildConfigImage(ConfigSettings{}, image).Succeeded());
  return image;
}

// A device that kept another configuration has another checksum too: the
// first differing field is named, not the checksum in front of it.
TEST(ImageCompare, TheFirstDifferingFieldIsNamedBeforeTheChecksum) {
  struct Case {
    std::size_t offset;  // the byte changed in the image read back
    bool storeChecksum;  // the read-back's checksum made to hold again
    std::size_t page;
    std::string description;
  };
  const Case cases[] = {
      // 301 to 304: the IP address (network addresses start at 301).
      {301, true, 2, "page 2 (byte 301: [Network] IP Address"},
      // 1552 to 2047 lie outside the checksum and hold no field.
      {1600, false, 12, "page 12 (byte 1600, shown by no field)"},
      {2, false, 0, "page 0 (byte 2: the checksum)"},
  };
  const ConfigImage sent = StartUpImage();
  for (const Case& c : cases) {
    ConfigImage readBack = sent;
    readBack.bytes[c.offset] ^= 0x01;
    if (c.storeChecksum)
      StoreImageChecksum(readBack);
    const std::optional<ImageMismatch> mismatch = FirstMismatch(sent, readBack);
    ASSERT_TRUE(mismatch.has_value()) << c.offset;
    EXPECT_EQ(mismatch->offset, c.offset);
    EXPECT_EQ(mismatch->page, c.page);
    EXPECT_EQ(DescribeMismatch(*mismatch).substr(0, c.description.size()), c.description);
  }
  EXPECT_FALSE(FirstMismatch(sent, sent).has_value());
}

}  // namespace
}  // namespace vardex
