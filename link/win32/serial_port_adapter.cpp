#include "serial_port_adapter.h"

#include <algorithm>

#include "com_device_names.h"
#include "link_platform.h"
#include "serial_port.h"
#include "system_serial_port.h"
#include "traced_serial_port.h"

namespace vardex {
namespace {

// A read or write that the driver should have ended by its time-out is
// cancelled after this much more, should a driver not keep its time-outs.
constexpr DWORD kDriverSlackMs = 1000;

// A pause this long after a byte ends a read.
constexpr DWORD kReadIntervalMs = 1;

// Write time-out: 1 ms per byte plus 1 ms, the line's own allowance.
constexpr DWORD kWriteMsPerByte = 1;
constexpr DWORD kWriteMsConstant = 1;
constexpr std::size_t kMaxWrite = 1 << 20;  // frames are 136 bytes; keeps the limit below in range

}  // namespace

std::wstring WideFromUtf8(const std::string& text) {
  const int size = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

std::string Win32ErrorText(DWORD code) {
  char text[256] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, text, sizeof text, nullptr);
  std::string result(text, length);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' ||
                             result.back() == ' ' || result.back() == '.')) {
    result.pop_back();
  }
  if (result.empty())
    result = "Windows error " + std::to_string(code);
  return result;
}

Win32SerialPort::Win32SerialPort()
    : readDone_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      writeDone_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      interrupt_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

Win32SerialPort::~Win32SerialPort() {
  Close();
  for (HANDLE event : {readDone_, writeDone_, interrupt_}) {
    if (event != nullptr)
      CloseHandle(event);
  }
}

bool Win32SerialPort::SetTimeouts(DWORD readWaitMs) {
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = kReadIntervalMs;
  timeouts.ReadTotalTimeoutMultiplier = 0;
  timeouts.ReadTotalTimeoutConstant = readWaitMs;
  timeouts.WriteTotalTimeoutMultiplier = kWriteMsPerByte;
  timeouts.WriteTotalTimeoutConstant = kWriteMsConstant;
  if (!SetCommTimeouts(port_, &timeouts))
    return false;
  readWaitMs_ = readWaitMs;
  return true;
}

bool Win32SerialPort::Open(const std::string& path) {
  Close();
  if (readDone_ == nullptr || writeDone_ == nullptr || interrupt_ == nullptr)
    return false;
  // A bare COM name opens as the system's device, COM10 and above included.
  const auto number = WindowsComNumber(path);
  const std::string device = number ? ComDevicePath(*number) : path;
  // No sharing: a second open, here or in another program, fails.
  port_ = CreateFileW(WideFromUtf8(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                      OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (port_ == INVALID_HANDLE_VALUE)
    return false;
  DCB line{};
  line.DCBlength = sizeof line;
  bool ready = GetCommState(port_, &line) != 0;
  line.BaudRate = CBR_115200;
  line.ByteSize = 8;
  line.Parity = NOPARITY;
  line.StopBits = ONESTOPBIT;
  line.fBinary = TRUE;
  line.fParity = FALSE;
  line.fOutxCtsFlow = FALSE;
  line.fOutxDsrFlow = FALSE;
  line.fDtrControl = DTR_CONTROL_DISABLE;
  line.fDsrSensitivity = FALSE;
  line.fOutX = FALSE;
  line.fInX = FALSE;
  line.fErrorChar = FALSE;
  line.fNull = FALSE;
  line.fRtsControl = RTS_CONTROL_DISABLE;
  // A line error must not stall the reads until someone clears it.
  line.fAbortOnError = FALSE;
  // Time-outs before the line settings, as the device's tools have always done.
  ready = ready && SetTimeouts(1) && SetCommState(port_, &line) != 0;
  if (!ready) {
    Close();
    return false;
  }
  // Bytes that waited in the driver while nobody had the port open are stale.
  PurgeComm(port_, PURGE_RXCLEAR | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_TXABORT);
  readError_ = 0;
  return true;
}

std::size_t Win32SerialPort::Read(std::span<std::uint8_t> into, std::chrono::milliseconds timeout) {
  if (port_ == INVALID_HANDLE_VALUE) {
    readError_ = ERROR_INVALID_HANDLE;
    return 0;
  }
  readError_ = 0;
  if (into.empty())
    return 0;
  // A total time-out of 0 would wait for ever for the first byte.
  const auto waitMs = static_cast<DWORD>(std::clamp<long long>(timeout.count(), 1, 0x7FFFFFFF));
  if (waitMs != readWaitMs_ && !SetTimeouts(waitMs)) {
    readError_ = GetLastError();
    return 0;
  }
  // A read asking for more than there is ends only after the interval
  // time-out past the last byte, which under Wine costs a millisecond or
  // more on every reply. So the port waits for the first byte alone, unless
  // some are waiting already, and then takes what the driver holds.
  const std::span<std::uint8_t> wanted = into.first(std::min<std::size_t>(into.size(), MAXDWORD));
  DWORD got = 0;
  if (QueuedBytes() == 0) {
    got = ReadOverlapped(wanted.first(1), waitMs);
    if (got == 0 || readError_ != 0)
      return got;
  }
  const DWORD queued = std::min<DWORD>(QueuedBytes(), static_cast<DWORD>(wanted.size()) - got);
  if (queued > 0)
    got += ReadOverlapped(wanted.subspan(got, queued), waitMs);
  return got;
}

// What the driver holds: those bytes a read takes without waiting.
DWORD Win32SerialPort::QueuedBytes() {
  COMSTAT status{};
  DWORD errors = 0;
  return ClearCommError(port_, &errors, &status) ? status.cbInQue : 0;
}

DWORD Win32SerialPort::ReadOverlapped(std::span<std::uint8_t> into, DWORD waitMs) {
  OVERLAPPED pending{};
  pending.hEvent = readDone_;
  DWORD got = 0;
  if (!ReadFile(port_, into.data(), static_cast<DWORD>(into.size()), &got, &pending)) {
    if (GetLastError() != ERROR_IO_PENDING)
      return static_cast<DWORD>(ReadFailed(GetLastError(), got));
    const HANDLE waits[2] = {readDone_, interrupt_};
    if (WaitForMultipleObjects(2, waits, FALSE, waitMs + kDriverSlackMs) != WAIT_OBJECT_0)
      CancelIoEx(port_, &pending);
    // Waits for the cancel too: the buffer and `pending` must outlive the read.
    if (!GetOverlappedResult(port_, &pending, &got, TRUE))
      return static_cast<DWORD>(ReadFailed(GetLastError(), got));
  }
  return got;
}

std::size_t Win32SerialPort::ReadFailed(DWORD code, DWORD got) {
  // A time-out is silence (Wine reports one as an error, Windows does not);
  // a cancel is an interrupt.
  if (code != ERROR_TIMEOUT && code != ERROR_OPERATION_ABORTED)
    readError_ = code;
  return got;
}

std::string Win32SerialPort::LastReadError() const {
  if (port_ == INVALID_HANDLE_VALUE)
    return "port not open";
  return readError_ == 0 ? std::string() : Win32ErrorText(readError_);
}

void Win32SerialPort::Write(std::span<const std::uint8_t> bytes) {
  if (port_ == INVALID_HANDLE_VALUE || bytes.empty())
    return;
  OVERLAPPED pending{};
  pending.hEvent = writeDone_;
  DWORD sent = 0;
  const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kMaxWrite));
  if (WriteFile(port_, bytes.data(), size, &sent, &pending) || GetLastError() != ERROR_IO_PENDING)
    return;
  const DWORD limitMs = size * kWriteMsPerByte + kWriteMsConstant + kDriverSlackMs;
  if (WaitForSingleObject(writeDone_, limitMs) != WAIT_OBJECT_0)
    CancelIoEx(port_, &pending);
  GetOverlappedResult(port_, &pending, &sent, TRUE);
}

void Win32SerialPort::Close() {
  if (port_ == INVALID_HANDLE_VALUE)
    return;
  CloseHandle(port_);
  port_ = INVALID_HANDLE_VALUE;
  readWaitMs_ = 0;
}

void Win32SerialPort::Interrupt() {
  if (interrupt_ != nullptr)
    SetEvent(interrupt_);
}

std::unique_ptr<SerialPort> MakeSystemSerialPort() {
  return std::make_unique<TracedSerialPort>(std::make_unique<Win32SerialPort>(), SystemPortTrace());
}

}  // namespace vardex
