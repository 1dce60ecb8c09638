#include "problem_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "config_driver.h"
#include "field_rows.h"
#include "frame_header.h"
#include "frame_trace.h"
#include "secret_fields.h"
#include "trace_secrets.h"
#include "zip_archive.h"

namespace vardex {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Hex(std::string_view text) {
  std::string hex;
  char byte[4];
  for (const char c : text) {
    std::snprintf(byte, sizeof byte, "%02X ", static_cast<unsigned char>(c));
    hex += byte;
  }
  hex.pop_back();
  return hex;
}

// A field the pages call a password or a passcode must be one the report
// hides: a new field with such a label and another key shows up here.
TEST(SecretFields, AreEveryPasswordOfThePagesAndTheWebToken) {
  std::vector<std::string> secret;
  for (const ImageField& field : ImageFields()) {
    if (IsSecretField(field))
      secret.push_back(field.key);
  }
  EXPECT_EQ(secret, (std::vector<std::string>{"aprsIs.password", "www.password", "www.token",
                                              "telnet.password"}));
  for (const FieldRow& row : ImageFieldRows()) {
    const std::string label = Lower(row.control->label);
    if (label.find("password") != std::string::npos ||
        label.find("passcode") != std::string::npos) {
      EXPECT_TRUE(IsSecretField(*row.control->field)) << row.control->label;
    }
  }
}

// The trace of a write and of a read of `image`: every page out as 0x80 and
// back as 0x91, split into records the way a port delivers them.
std::string TraceOfWriteAndRead(const ConfigImage& image) {
  FrameTrace trace(64 * 1024, [] { return 0u; });
  for (std::uint16_t page = 0; page < ConfigImage::kPageCount; ++page) {
    const auto data = std::span(image.bytes).subspan(page * kPageSize).first<kPageSize>();
    for (const FrameCode code : {FrameCode::kEepromPage, FrameCode::kEepromPageData}) {
      std::vector<std::uint8_t> frame(kFrameHeaderSize);
      const FrameHeader header = BuildFrameHeader(code, page, PageDataSum(data));
      std::copy(header.begin(), header.end(), frame.begin());
      frame.insert(frame.end(), data.begin(), data.end());
      const auto kind =
          code == FrameCode::kEepromPage ? FrameTrace::Kind::kSent : FrameTrace::Kind::kReceived;
      // Split at 50: a password may straddle two records.
      trace.Record(kind, std::span(frame).first(50));
      trace.Record(kind, std::span(frame).subspan(50));
    }
  }
  return TraceTextWithoutSecrets(trace);
}

// Each password of the table, set to a value of its own, is found nowhere
// in the zip: not in the image, the text form, the trace (as hex) nor, for
// the web password, in the login token; the text form shows the mark.
TEST(ProblemReport, HidesEachPasswordInTheImageTheTextFormAndTheTrace) {
  for (const ImageField& field : ImageFields()) {
    if (!IsSecretField(field) || !field.HasSetting())
      continue;
    SCOPED_TRACE(field.key);
    ConfigSettings settings;
    const std::string value = "Qz7" + field.key.substr(0, 3) + "x";
    *field.Setting(settings).text = value;
    ConfigImage image;
    ASSERT_TRUE(BuildConfigImage(settings, image).Succeeded());
    ASSERT_NE(std::search(image.bytes.begin(), image.bytes.end(), value.begin(), value.end()),
              image.bytes.end());
    const std::string token = "d3d3OlF6N3d3d3g=";  // Base64 of "www:Qz7wwwx"
    if (field.key == "www.password") {
      settings.access.www.user = "www";
      ASSERT_TRUE(BuildConfigImage(settings, image).Succeeded());
      ASSERT_NE(std::string(image.bytes.begin(), image.bytes.end()).find(token), std::string::npos);
    }

    ProblemReport report;
    report.trace = TraceOfWriteAndRead(image);
    report.image = image;
    report.settings = settings;
    const std::vector<ZipEntry> files = ProblemReportFiles(report);
    const std::string zip = ZipArchive(files, {});
    EXPECT_EQ(zip.find(value), std::string::npos);
    EXPECT_EQ(zip.find(Hex(value)), std::string::npos);
    EXPECT_EQ(zip.find(token), std::string::npos);
    EXPECT_EQ(zip.find(Hex(token)), std::string::npos);

    ASSERT_EQ(files.size(), 7u);
    EXPECT_NE(files[6].contents.find("assword = ********\n"), std::string::npos);
    EXPECT_NE(files[4].contents.find(" ** ** ** **"), std::string::npos);
    // The masked image is still a good image.
    ConfigImage masked;
    std::copy(files[5].contents.begin(), files[5].contents.end(), masked.bytes.begin());
    EXPECT_TRUE(ImageChecksumHolds(masked));
  }
}

}  // namespace
}  // namespace vardex
