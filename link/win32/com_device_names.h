#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vardex {

// "COM1", "com12": the number of a Windows COM name (any n from 1, written
// without leading zeros, the letters in either case); any other text gives
// nothing.
std::optional<unsigned> WindowsComNumber(std::string_view name);

// The device path that opens COMn: "\\.\COMn", which also reaches COM10 and
// above (a plain "COM10" is taken for a file name).
std::string ComDevicePath(unsigned number);

// COM names as people count them (COM2 before COM10), each once; names that
// are no COM name are dropped.
std::vector<std::string> OrderComNames(const std::vector<std::string>& names);

// The hexadecimal number of four digits after `key` ("VID_", "PID_") in a
// device's hardware id ("USB\VID_0403&PID_6001&REV_0600"), or nothing.
std::optional<std::uint16_t> HardwareIdNumber(std::string_view hardwareId, std::string_view key);

// The serial number at the end of a USB device's instance id
// ("USB\VID_0403&PID_6001\A50285BI"); empty for other devices and for
// the ids Windows makes up for adapters without one (those hold '&').
std::string InstanceSerialNumber(std::string_view instanceId);

}  // namespace vardex
