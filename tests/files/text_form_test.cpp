#include "text_form.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "config_driver.h"
#include "field_rows.h"
#include "sample_image_files.h"

namespace vardex {
namespace {

// Export, import over the start-up state, build.
ConfigImage ThroughText(const ConfigImage& image) {
  const std::string text = ExportText(SettingsFromImage(image));
  ConfigSettings settings;
  std::string error;
  EXPECT_TRUE(ImportText(text, "t.txt", settings, error)) << error;
  ConfigImage rebuilt;
  const StepResult result = BuildConfigImage(settings, rebuilt);
  EXPECT_TRUE(result.Succeeded()) << result.text;
  return rebuilt;
}

std::vector<std::size_t> DifferingOffsets(const ConfigImage& a, const ConfigImage& b) {
  std::vector<std::size_t> offsets;
  for (std::size_t i = 4; i < ConfigImage::kSize; ++i) {
    if (a.bytes[i] != b.bytes[i])
      offsets.push_back(i);
  }
  return offsets;
}

TEST(TextForm, FactoryImageComesBackByteForByte) {
  const ConfigImage factory = testing::FactoryImage();
  EXPECT_EQ(ThroughText(factory).bytes, factory.bytes);
}

// vardex show's form adds the place of the position after it; the place
// follows from the position, so the form still imports as it is.
TEST(TextForm, ShownFormAddsThePlaceAndStillImports) {
  struct Case {
    std::string latitude;
    std::string longitude;
    std::string lines;
  };
  const Case cases[] = {
      {"5221.60N", "01653.63E",
       "Longitude = 01653.63E\nLocator = JO82ki\nDecimal position = 52.36000, 16.89383\n"},
      {"9999.99S", "01653.63E", "Longitude = 01653.63E\nLocator =\nDecimal position =\n"},
  };
  for (const Case& c : cases) {
    ConfigSettings settings = SettingsFromImage(testing::FactoryImage());
    settings.radio.latitude = c.latitude;
    settings.radio.longitude = c.longitude;
    const std::string shown = ShowText(settings);
    EXPECT_NE(shown.find("Latitude = " + c.latitude + "\n" + c.lines), std::string::npos) << shown;
    ConfigSettings read;
    std::string error;
    ASSERT_TRUE(ImportText(shown, "t.txt", read, error)) << error;
    EXPECT_EQ(ExportText(read), ExportText(settings));
  }
  std::string error;
  ConfigSettings read;
  EXPECT_FALSE(ImportText("[Network]\nLocator = JO82ki\n", "t.txt", read, error));
}

// A form saved by a Windows editor ends its lines with "\r\n"; no '\r' may
// stay in a value, quoted or not.
TEST(TextForm, WindowsLineEndsReadAsTheSameForm) {
  ConfigSettings quoted = SettingsFromImage(testing::FactoryImage());
  quoted.radio.callsign = " VX1SIM";  // written in quotes: the '\r' follows the closing one
  for (const ConfigSettings& settings : {SettingsFromImage(testing::FactoryImage()), quoted}) {
    const std::string form = ExportText(settings);
    std::string windows;
    for (const char c : form) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
    ConfigSettings read;
    std::string error;
    ASSERT_TRUE(ImportText(windows, "t.txt", read, error)) << error;
    EXPECT_EQ(ExportText(read), form);
    // Notepad starts its UTF-8 with a byte-order mark.
    ConfigSettings marked;
    ASSERT_TRUE(ImportText("\xEF\xBB\xBF" + windows, "t.txt", marked, error)) << error;
    EXPECT_EQ(ExportText(marked), form);
  }
}

// Images the window accepts: random bytes decoded and built again.
TEST(TextForm, HundredsOfAcceptedImagesComeBackByteForByte) {
  std::mt19937 random(20261207);
  std::uniform_int_distribution<std::size_t> offset(4, ConfigImage::kChecksumEnd - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> count(1, 6);
  const ConfigImage factory = testing::FactoryImage();
  int accepted = 0;
  for (int attempt = 0; attempt < 3000 && accepted < 300; ++attempt) {
    ConfigImage messy = factory;
    for (int n = count(random); n > 0; --n)
      messy.bytes[offset(random)] = static_cast<std::uint8_t>(byte(random));
    ConfigImage accepted_image;
    if (!BuildConfigImage(SettingsFromImage(messy), accepted_image).Succeeded())
      continue;
    ++accepted;
    ASSERT_EQ(ThroughText(accepted_image).bytes, accepted_image.bytes) << "attempt " << attempt;
  }
  EXPECT_EQ(accepted, 300);
}

TEST(TextForm, AnEditedLineChangesExactlyThatField) {
  struct Case {
    std::string from, to;
    std::vector<std::size_t> offsets;
  };
  const Case cases[] = {
      {"Callsign = VX1SIM\n", "Callsign = VX2SIM\n", {6}},
      {"TX delay [ms] = 300\n", "TX delay [ms] = 301\n", {12}},
      {"PTT = 2k2 resistor\n", "PTT = separate output\n", {47}},
      {"Server 1 Port = 14580\n", "Server 1 Port = 14581\n", {192}},
      {"Beacon 2 N = 2\n", "Beacon 2 N = 1\n", {446}},
      {"Digipeater on = yes\n", "Digipeater on = no\n", {20}},
  };
  const ConfigImage factory = testing::FactoryImage();
  const std::string text = ExportText(SettingsFromImage(factory));
  for (const Case& c : cases) {
    std::string edited = text;
    const std::size_t at = edited.find(c.from);
    ASSERT_NE(at, std::string::npos) << c.from;
    edited.replace(at, c.from.size(), c.to);
    ConfigSettings settings;
    std::string error;
    ASSERT_TRUE(ImportText(edited, "t.txt", settings, error)) << error;
    ConfigImage image;
    ASSERT_TRUE(BuildConfigImage(settings, image).Succeeded()) << c.to;
    EXPECT_EQ(DifferingOffsets(factory, image), c.offsets) << c.to;
  }
}

TEST(TextForm, RefusedLinesNameTheirLineNumber) {
  struct Case {
    std::string text;
    std::string error;
  };
  const Case cases[] = {
      {"# comment\n[Radio]\nCallsign = X\nBogus = 1\n",
       "t.txt:4: unknown key \"Bogus\" in [Radio]"},
      {"[Radio]\n\nPTT = 3k3 resistor\n",
       "t.txt:3: bad value \"3k3 resistor\" for \"PTT\": it is none of: separate output, 2k2 "
       "resistor (or empty for no selection)"},
      {"\nCallsign = X\n", "t.txt:2: a field before any [page] section"},
      {"[Radio]\r\n[Nope]\r\n", "t.txt:2: unknown section [Nope]"},
      {"[Digipeater]\nDigipeater on = maybe\n",
       "t.txt:2: bad value \"maybe\" for \"Digipeater on\": it wants yes or no"},
      {"[Radio]\nCallsign = A\nCallsign = B\n", "t.txt:3: \"Callsign\" is given twice"},
      {"[Radio]\nCallsign = \"A\\q\"\n", "t.txt:2: bad value for \"Callsign\": unknown escape \\q"},
      {"[Radio]\nCallsign = \"AB\n",
       "t.txt:2: bad value for \"Callsign\": the closing double "
       "quote is missing"},
      {"[Radio]\nCallsign\n", "t.txt:2: not a \"label = value\" line"},
      {"[Radio\n", "t.txt:1: a section line ends with ']'"},
      // A label of one page is unknown on another.
      {"[Network]\nCallsign = X\n", "t.txt:2: unknown key \"Callsign\" in [Network]"},
      // Raw control bytes are refused, quoted ones escaped: nothing reaches
      // the terminal, and nothing is cut at a NUL.
      {std::string("[Radio]\nCallsign = A\0B\n", 23),
       "t.txt:2: control character \\x00 in column 13 (a value may hold one written as \\xHH in "
       "double quotes)"},
      {"[Radio]\nCall\x1B[2Jsign = X\n",
       "t.txt:2: control character \\x1B in column 5 (a value may hold one written as \\xHH in "
       "double quotes)"},
      {"[Digipeater]\nDigipeater on = \"\\x1B[2J\"\n",
       "t.txt:2: bad value \"\\x1B[2J\" for \"Digipeater on\": it wants yes or no"},
  };
  for (const Case& c : cases) {
    ConfigSettings settings;
    std::string error;
    EXPECT_FALSE(ImportText(c.text, "t.txt", settings, error)) << c.text;
    EXPECT_EQ(error, c.error);
  }
}

TEST(TextForm, QuotedValuesKeepBlanksControlsAndQuotes) {
  struct Case {
    std::string value;
    std::string written;
  };
  const Case cases[] = {
      {"", ""},
      {"plain text", "plain text"},
      {"a\"b\\c", "a\"b\\c"},
      {" lead", "\" lead\""},
      {"trail\t", "\"trail\\t\""},
      {"\"quoted\"", "\"\\\"quoted\\\"\""},
      {"line\nbreak\r", "\"line\\nbreak\\r\""},
      {"bell\x07 del\x7F", "\"bell\\x07 del\\x7F\""},
      {"caf\xC3\xA9", "caf\xC3\xA9"},
      {"c1 \xC2\x85", "\"c1 \\x85\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QuoteValue(c.value), c.written) << c.value;
    ConfigSettings settings;
    std::string error;
    ASSERT_TRUE(ImportText("[Radio]\nCallsign = " + c.written + "\n", "t.txt", settings, error))
        << error;
    EXPECT_EQ(settings.radio.callsign, c.value);
  }
}

TEST(TextForm, LabelsEndingInAnEqualsSignStillSplit) {
  ConfigSettings settings;
  std::string error;
  ASSERT_TRUE(
      ImportText("[Digipeater]\nRow 1 N >= = 2\nRow 1 N <=   =   6  \n", "t.txt", settings, error))
      << error;
  EXPECT_EQ(settings.digipeater.paths[0].lower, "2");
  EXPECT_EQ(settings.digipeater.paths[0].higher, "6");
}

TEST(TextForm, MissingKeysKeepTheBaseValues) {
  ConfigSettings settings = SettingsFromImage(testing::FactoryImage());
  std::string error;
  ASSERT_TRUE(ImportText("[Radio]\nCallsign = VX9ZZ\n", "t.txt", settings, error)) << error;
  EXPECT_EQ(settings.radio.callsign, "VX9ZZ");
  EXPECT_EQ(settings.radio.txDelay, "300");
  EXPECT_EQ(settings.digipeater.duplicateChecking, "30");
}

}  // namespace
}  // namespace vardex
