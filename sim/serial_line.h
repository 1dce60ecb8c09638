#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "stop_signal.h"

namespace vardex::sim {

// The device's end of the serial line: writes whole replies to the pty
// master, optionally in pieces, and optionally at a real line rate so that
// transfers take as long as they would on a cable.
class SerialLine {
 public:
  // baud 0: no pacing; fragment 0: one write per reply.
  SerialLine(int fd, int baud, int fragment);

  // False when the write failed or a stop signal arrived.
  bool Send(std::span<const std::uint8_t> bytes);

  // Unpaced and whole, for streams that ignore the line rate; waits for room
  // in the pty, but not for ever. False when the write failed.
  bool WriteAll(std::span<const std::uint8_t> bytes);
  // Unpaced and without waiting: what the pty takes now (0 when it is full).
  std::size_t WriteAvailable(std::span<const std::uint8_t> bytes);

  // Marks `count` bytes as just read; with pacing, byte i of them counts as
  // arrived one byte time after byte i-1, the first no earlier than the line
  // was free.
  void NoteReceived(std::size_t count);
  // Waits until byte `index` of the last read has fully arrived on the line.
  bool AwaitReceived(std::size_t index);

 private:
  bool WritePaced(std::span<const std::uint8_t> bytes);

  int fd_;
  int fragment_;
  Clock::duration byteTime_{};
  Clock::time_point txFree_{};
  Clock::time_point rxStart_{};
  Clock::time_point rxFree_{};
};

}  // namespace vardex::sim
