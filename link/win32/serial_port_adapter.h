#pragma once

#include <windows.h>

#include <string>

#include "serial_port.h"

namespace vardex {

// The worker's port on a Windows COM device, opened for overlapped I/O so
// that a read can wait on the device and on Interrupt() at once; an
// interrupt cancels the pending read. A read waits for one byte (or finds
// some waiting) and then takes what the driver holds, so it never sits out
// the interval time-out after a reply; the interval time-out (1 ms) and the
// read's time-out stay set for drivers that end reads their own way. The "return at once with what
// is there" time-outs (MAXDWORD, MAXDWORD, n) are not used: Wine holds such reads for the whole n
// even when bytes arrive.
class Win32SerialPort final : public SerialPort {
 public:
  Win32SerialPort();
  ~Win32SerialPort() override;
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;

  // `path` as CreateFile takes it, e.g. "\\.\COM12", or a COM name ("COM12").
  bool Open(const std::string& path) override;
  std::size_t Read(std::span<std::uint8_t> into, std::chrono::milliseconds timeout) override;
  std::string LastReadError() const override;
  void Write(std::span<const std::uint8_t> bytes) override;
  void Close() override;
  void Interrupt() override;

 private:
  bool SetTimeouts(DWORD readWaitMs);
  DWORD QueuedBytes();
  DWORD ReadOverlapped(std::span<std::uint8_t> into, DWORD waitMs);
  std::size_t ReadFailed(DWORD code, DWORD got);

  HANDLE port_ = INVALID_HANDLE_VALUE;
  HANDLE readDone_ = nullptr;   // manual reset, one overlapped read at a time
  HANDLE writeDone_ = nullptr;  // manual reset, one overlapped write at a time
  HANDLE interrupt_ = nullptr;  // auto reset: Interrupt() sets it, a read's wait takes it
  DWORD readWaitMs_ = 0;        // the read time-out the driver holds now
  DWORD readError_ = 0;         // why the last read failed, 0 after silence
};

// The system's text for a Win32 error code, without the trailing line end.
std::string Win32ErrorText(DWORD code);

// Names travel as UTF-8 strings; the system's calls take them wide.
std::wstring WideFromUtf8(const std::string& text);

}  // namespace vardex
