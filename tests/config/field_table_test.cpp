#include "field_table.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "field_codec.h"

namespace vardex {
namespace {

// Every byte of the image is the checksum, one field or declared reserved,
// and never two of them; keys name one field each.
TEST(FieldTable, EveryByteHasExactlyOneOwner) {
  std::array<int, ConfigImage::kSize> owners{};
  for (std::size_t i = 0; i < ConfigImage::kChecksumFirst; ++i) ++owners[i];
  std::set<std::string> keys;
  for (const ImageField& field : ImageFields()) {
    EXPECT_TRUE(keys.insert(field.key).second) << field.key << " twice";
    EXPECT_EQ(FindField(field.key), &field) << field.key;
    EXPECT_EQ(field.width == 0, field.kind == FieldKind::kNotStored) << field.key;
    for (std::size_t i = field.offset; i < field.offset + field.width; ++i) {
      ASSERT_LT(i, ConfigImage::kSize) << field.key;
      ++owners[i];
      EXPECT_EQ(FieldAtOffset(i), &field) << "byte " << i;
    }
  }
  for (const ReservedBytes& reserved : ReservedImageBytes()) {
    for (std::size_t i = reserved.offset; i < reserved.offset + reserved.width; ++i) {
      ASSERT_LT(i, ConfigImage::kSize);
      ++owners[i];
      EXPECT_EQ(FieldAtOffset(i), nullptr) << "byte " << i;
    }
  }
  for (std::size_t i = 0; i < owners.size(); ++i) EXPECT_EQ(owners[i], 1) << "byte " << i;
}

// Each section's fields follow each other in the validation order, and the
// last field ends at 1548.
TEST(FieldTable, SectionsFollowTheValidationOrder) {
  std::size_t next = 0;
  std::size_t lastByte = 0;
  for (std::size_t k = 0; k < kImageSectionCount; ++k) {
    const auto section = static_cast<ImageSection>(k);
    for (const ImageField& field : SectionFields(section)) {
      EXPECT_EQ(&field, &ImageFields()[next]) << field.key;
      EXPECT_EQ(field.section, section) << field.key;
      if (field.width > 0)
        lastByte = std::max(lastByte, field.offset + field.width - 1);
      ++next;
    }
  }
  EXPECT_EQ(next, ImageFields().size());
  EXPECT_EQ(lastByte, 1548u);
}

// The codec's kinds, each on a field of its own at the end of the checksummed
// span: the bytes each stores, and what reading them back shows.
TEST(FieldCodec, EachKindStoresItsBytesAndReadsThemBack) {
  constexpr std::size_t kAt = 1500;
  ConfigSettings settings;
  std::string& text = settings.radio.callsign;
  int& index = settings.radio.pttType;
  bool& check = settings.digipeater.digipeaterOn;
  auto textOf = [](ConfigSettings& s, int) { return SettingRef{.text = &s.radio.callsign}; };
  auto indexOf = [](ConfigSettings& s, int) { return SettingRef{.index = &s.radio.pttType}; };
  auto checkOf = [](ConfigSettings& s, int) {
    return SettingRef{.check = &s.digipeater.digipeaterOn};
  };
  struct Case {
    FieldKind kind;
    std::size_t width;
    std::string text;
    int index;
    bool check;
    std::vector<std::uint8_t> bytes;
    std::string shownText;  // what the text reads back as
  };
  const Case cases[] = {
      {FieldKind::kNumber, 2, "-1", 0, false, {0xFF, 0xFF}, "65535"},
      {FieldKind::kNumber, 4, "$10", 0, false, {0x10, 0, 0, 0}, "16"},
      {FieldKind::kClockWord, 4, "-2", 0, false, {0xFE, 0xFF, 0xFF, 0xFF}, "-2"},
      {FieldKind::kText, 4, "abcdef", 0, false, {'a', 'b', 'c', 0}, "abc"},
      {FieldKind::kText, 4, "\xc3\xa9", 0, false, {0xE9, 0, 0, 0}, "\xc3\xa9"},
      {FieldKind::kCallsign, 6, "VX1", 0, false, {'V', 'X', '1', ' ', ' ', ' '}, "VX1   "},
      {FieldKind::kSsidDigit, 2, "12", 0, false, {'<', 0}, "12"},
      {FieldKind::kListByte, 1, "", -1, false, {0xFF}, ""},
      {FieldKind::kDestText, 8, "", 1, false, {'A', 'P', 'V', 'D', 'X', '1', '0', 0}, ""},
      {FieldKind::kCheckByte, 1, "", 0, true, {1}, ""},
      {FieldKind::kSwitch32, 4, "", 0, true, {1, 0, 0, 0}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    ImageField field;
    field.key = "test";
    field.kind = c.kind;
    field.offset = kAt;
    field.width = c.width;
    field.low = 0;
    field.high = 0xFFFFFFFF;
    field.listItems = 2;
    const bool isText = c.kind == FieldKind::kNumber || c.kind == FieldKind::kClockWord ||
                        c.kind == FieldKind::kText || c.kind == FieldKind::kCallsign ||
                        c.kind == FieldKind::kSsidDigit;
    const bool isIndex = c.kind == FieldKind::kListByte || c.kind == FieldKind::kDestText;
    field.setting = isText ? +textOf : isIndex ? +indexOf : +checkOf;
    text = c.text;
    index = c.index;
    check = c.check;

    ConfigImage image;
    ASSERT_TRUE(EncodeField(field, settings, image).Succeeded());
    ConfigImage expected;
    std::copy(c.bytes.begin(), c.bytes.end(), expected.bytes.begin() + kAt);
    EXPECT_EQ(image.bytes, expected.bytes);

    text.clear();
    index = 0;
    check = false;
    if (c.kind == FieldKind::kClockWord)
      field.setting = [](ConfigSettings& s, int) { return SettingRef{.text = &s.clock.year}; };
    DecodeField(field, image, settings);
    if (c.kind == FieldKind::kClockWord) {
      EXPECT_EQ(settings.clock.year, "2011") << "the window keeps its own clock";
      continue;
    }
    if (isText)
      EXPECT_EQ(text, c.shownText);
    else if (isIndex)
      EXPECT_EQ(index, c.index);
    else
      EXPECT_EQ(check, c.check);
  }
}

// A rule checked before storing leaves the field's bytes alone; one checked
// after storing (and a range) fails with the bytes already written.
TEST(FieldCodec, RulesRunBeforeOrAfterTheFieldIsStored) {
  ConfigSettings settings;
  settings.radio.callsign = "x\x01";
  ImageField field;
  field.kind = FieldKind::kText;
  field.offset = 1500;
  field.width = 4;
  field.rule = [](const ImageField& f, const ConfigSettings& s, const ConfigImage&) {
    return f.Text(s).size() < 2;
  };
  field.ruleMessage = "too long";
  field.setting = [](ConfigSettings& s, int) { return SettingRef{.text = &s.radio.callsign}; };
  for (const bool first : {true, false}) {
    field.ruleFirst = first;
    ConfigImage image;
    const StepResult result = EncodeField(field, settings, image);
    EXPECT_EQ(result.text, "too long");
    EXPECT_EQ(result.field, &settings.radio.callsign);
    EXPECT_EQ(image.GetU8(1500), first ? 0 : 'x');
  }
}

}  // namespace
}  // namespace vardex
