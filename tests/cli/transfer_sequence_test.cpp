#include "transfer_sequence.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "config_image.h"
#include "image_compare.h"

namespace vardex {
namespace {

using Step = TransferSequence::Step;
using End = TransferSequence::End;
using Kind = LinkOutcome::Kind;

ConfigImage Sent() {
  ConfigImage image;
  for (std::size_t i = 4; i < image.bytes.size(); ++i)
    image.bytes[i] = static_cast<std::uint8_t>(i);
  StoreImageChecksum(image);
  return image;
}

// The device's copy: byte 272 (page 2, in the NTP server name) one higher,
// which breaks the image checksum.
ConfigImage KeptWrong() {
  ConfigImage image = Sent();
  ++image.bytes[272];
  return image;
}

// One event fed to the sequence: an outcome (with or without an image), or
// the answer of the backup's save.
struct Event {
  enum class What { kOutcome, kBackupSaved, kBackupFailed } what = What::kOutcome;
  Kind kind = Kind::kFinished;
  Operation operation = Operation::kNone;
  SharedConfigImage image;
  Step expected = Step::kWait;
  Operation thenPosted = Operation::kNone;  // kPost: what Request() is now
};

Event Outcome(Kind kind, Operation operation, SharedConfigImage image, Step expected,
              Operation thenPosted = Operation::kNone) {
  return {Event::What::kOutcome, kind, operation, std::move(image), expected, thenPosted};
}

struct SequenceCase {
  const char* name;
  TransferSequence (*make)();
  Operation first;
  std::vector<Event> events;
  End end;
  std::string mismatch;  // DescribeMismatch of Mismatch(), when it differs
};

const ConfigImage kSent = Sent();
// As the link hands them over.
const SharedConfigImage kSentRead = std::make_shared<const ConfigImage>(kSent);
const SharedConfigImage kKeptWrongRead = std::make_shared<const ConfigImage>(KeptWrong());

SharedFirmware Firmware() {
  static const SharedFirmware firmware = std::make_shared<FirmwareBuffer>();
  return firmware;
}

const std::vector<SequenceCase>& Cases() {
  static const std::vector<SequenceCase> cases = {
      {"ReadShowsAVerifiedImage",
       TransferSequence::Read,
       Operation::kConfigRead,
       {Outcome(Kind::kFinished, Operation::kConfigRead, kSentRead, Step::kEnded)},
       End::kRead,
       ""},
      {"ReadWithABrokenChecksumShowsNothing",
       TransferSequence::Read,
       Operation::kConfigRead,
       {Outcome(Kind::kReadChecksumFailed, Operation::kConfigRead, kKeptWrongRead, Step::kEnded)},
       End::kReadBroken,
       ""},
      {"WriteWithoutVerifyEndsWritten",
       [] { return TransferSequence::Write(kSent, false); },
       Operation::kConfigWrite,
       {Outcome(Kind::kFinished, Operation::kConfigWrite, nullptr, Step::kEnded)},
       End::kWritten,
       ""},
      {"SilenceAndOtherTransfersLeaveAWriteWaiting",
       [] { return TransferSequence::Write(kSent, true); },
       Operation::kConfigWrite,
       {Outcome(Kind::kNoReply, Operation::kConfigWrite, nullptr, Step::kWait),
        Outcome(Kind::kPortFailed, Operation::kConfigWrite, nullptr, Step::kWait),
        Outcome(Kind::kFinished, Operation::kConfigRead, kSentRead, Step::kWait),
        Outcome(Kind::kFinished, Operation::kConfigWrite, nullptr, Step::kPost,
                Operation::kConfigRead),
        Outcome(Kind::kFinished, Operation::kConfigRead, kSentRead, Step::kEnded)},
       End::kVerified,
       ""},
      {"ReadBackThatDiffersNamesPageByteAndField",
       [] { return TransferSequence::Write(kSent, true); },
       Operation::kConfigWrite,
       {Outcome(Kind::kFinished, Operation::kConfigWrite, nullptr, Step::kPost,
                Operation::kConfigRead),
        Outcome(Kind::kReadChecksumFailed, Operation::kConfigRead, kKeptWrongRead, Step::kEnded)},
       End::kDiffers,
       "page 2 (byte 272: [RTC/NTP time] NTP server)"},
      {"BackupSavedThenUpload",
       [] { return TransferSequence::Upload(Firmware(), true); },
       Operation::kConfigRead,
       {Outcome(Kind::kFinished, Operation::kConfigRead, kSentRead, Step::kSaveBackup),
        {Event::What::kBackupSaved, Kind::kFinished, Operation::kNone, nullptr, Step::kPost,
         Operation::kFirmwareUpload},
        Outcome(Kind::kFinished, Operation::kFirmwareUpload, nullptr, Step::kEnded)},
       End::kUploaded,
       ""},
      {"BackupNotSavedUploadsNothing",
       [] { return TransferSequence::Upload(Firmware(), true); },
       Operation::kConfigRead,
       {Outcome(Kind::kFinished, Operation::kConfigRead, kSentRead, Step::kSaveBackup),
        {Event::What::kBackupFailed, Kind::kFinished, Operation::kNone, nullptr, Step::kEnded}},
       End::kBackupNotSaved,
       ""},
      {"BrokenBackupUploadsNothing",
       [] { return TransferSequence::Upload(Firmware(), true); },
       Operation::kConfigRead,
       {Outcome(Kind::kReadChecksumFailed, Operation::kConfigRead, kKeptWrongRead, Step::kEnded),
        Outcome(Kind::kFinished, Operation::kFirmwareUpload, nullptr, Step::kWait)},
       End::kBackupUnreadable,
       ""},
  };
  return cases;
}

class Sequences : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(Sequences, StepThroughTheirTransfers) {
  const SequenceCase& c = GetParam();
  TransferSequence sequence = c.make();
  EXPECT_EQ(sequence.Request().operation, c.first);
  for (std::size_t i = 0; i < c.events.size(); ++i) {
    const Event& event = c.events[i];
    Step step = Step::kWait;
    if (event.what == Event::What::kOutcome) {
      LinkOutcome outcome = LinkOutcome::Of(event.kind, event.operation, 16, 16);
      outcome.image = event.image;
      step = sequence.OnOutcome(outcome);
    } else {
      step = sequence.BackupSaved(event.what == Event::What::kBackupSaved);
    }
    EXPECT_EQ(step, event.expected) << "event " << i;
    if (step == Step::kPost) {
      EXPECT_EQ(sequence.Request().operation, event.thenPosted) << "event " << i;
    }
  }
  EXPECT_EQ(sequence.Ended(), c.end);
  if (c.mismatch.empty()) {
    EXPECT_FALSE(sequence.Mismatch().has_value());
  } else {
    ASSERT_TRUE(sequence.Mismatch().has_value());
    EXPECT_EQ(DescribeMismatch(*sequence.Mismatch()), c.mismatch);
  }
}

INSTANTIATE_TEST_SUITE_P(AfterATransfer, Sequences, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The window builds its image again at once; the device is sent the image
// as it was when the write was asked for, copied then and only then.
TEST(TransferSequence, AWriteSendsTheImageAsItWasWhenAskedFor) {
  ConfigImage image = kSent;
  const TransferSequence write = TransferSequence::Write(image, true);
  image.bytes.fill(0xEE);
  const TransferRequest request = write.Request();
  ASSERT_NE(request.image, nullptr);
  EXPECT_EQ(request.image->bytes, kSent.bytes);
  EXPECT_EQ(write.Request().image, request.image);  // every post shares that one copy
}

}  // namespace
}  // namespace vardex
