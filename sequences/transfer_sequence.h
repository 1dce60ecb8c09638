#pragma once

#include <cstdint>
#include <optional>

#include "config_image.h"
#include "firmware_buffer.h"
#include "image_compare.h"
#include "transfer_types.h"

namespace vardex {

// What follows a transfer, as plain steps that the window's controller and
// `vardex` both drive: a read shown, a write verified by reading it back, a
// firmware upload with a backup of the configuration first. The sequence
// never touches a port or a file; its driver posts what it asks for, saves
// the backup where the user said, and words the end its own way.
class TransferSequence {
 public:
  enum class Kind : std::uint8_t { kRead, kWrite, kUpload };
  enum class Step : std::uint8_t {
    kWait,        // not an outcome of this sequence's transfer: nothing to do
    kPost,        // post Request() now
    kSaveBackup,  // save ReadBack() as the backup, then call BackupSaved()
    kEnded,       // End() says how
  };
  enum class End : std::uint8_t {
    kRunning,
    kRead,              // a verified image: ReadBack()
    kReadBroken,        // a read whose image fails its checksum
    kWritten,           // written, not read back (no verify asked)
    kVerified,          // read back and every byte is what was sent
    kDiffers,           // read back differently: Mismatch() names where
    kUploaded,          // every firmware page acknowledged
    kBackupUnreadable,  // the backup's read failed its checksum: nothing uploaded
    kBackupNotSaved,    // the backup could not be saved: nothing uploaded
  };

  static TransferSequence Read();
  // Copies `image` once; the copy is what goes to the device and what a
  // read-back is compared with.
  static TransferSequence Write(const ConfigImage& image, bool verify);
  static TransferSequence Upload(SharedFirmware firmware, bool backUpFirst);

  Kind Type() const { return kind_; }
  // The transfer to post now, sharing what it sends.
  TransferRequest Request() const;
  // An outcome the link reported. Only the end of the transfer posted last
  // moves the sequence; a silent device or a failing port leaves it waiting.
  Step OnOutcome(const LinkOutcome& outcome);
  // After kSaveBackup: whether the backup was saved.
  Step BackupSaved(bool saved);

  End Ended() const { return end_; }
  // The image a read or a read-back collected (kRead, kVerified, kDiffers,
  // kSaveBackup), as the link shared it; kept even when its checksum failed.
  // Null before a read has ended.
  const SharedConfigImage& ReadBack() const { return readBack_; }
  // kDiffers: the first byte that is not what was sent.
  const std::optional<ImageMismatch>& Mismatch() const { return mismatch_; }
  // A write: the image sent.
  const SharedConfigImage& Sent() const { return sent_; }
  const SharedFirmware& Firmware() const { return firmware_; }

 private:
  Step Finish(End end);
  Step OnReadEnd(const LinkOutcome& outcome);

  Kind kind_ = Kind::kRead;
  Operation posted_ = Operation::kConfigRead;
  bool verify_ = false;
  bool backUpFirst_ = false;
  End end_ = End::kRunning;
  SharedConfigImage sent_;
  SharedConfigImage readBack_;
  std::optional<ImageMismatch> mismatch_;
  SharedFirmware firmware_;
};

}  // namespace vardex
