#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "com_names.h"

namespace vardex {

// What the system says about one of its serial ports. Plain data, so that
// each system's lister fills it its own way.
struct SystemPortInfo {
  std::string path;  // what opens it: /dev/ttyUSB0, or COM3 on Windows
  std::string description;
  std::string maker;
  std::optional<std::uint16_t> vendorId;  // USB ids, for USB adapters only
  std::optional<std::uint16_t> productId;
  std::string serialNumber;
  std::string byIdName;  // the adapter's /dev/serial/by-id/ name, if it has one
  std::string driver;    // the system's driver of the port (Linux: ftdi_sio, cp210x...)
};

// "067b:2303", or empty unless both USB ids are known.
std::string UsbIdText(const SystemPortInfo& port);

// What the system reports about a port, in a few words: "CP2102 USB to UART
// Bridge Controller (Silicon Labs), serial 0001". Empty when it reports
// nothing, as for a built-in port.
std::string DescribeSystemPort(const SystemPortInfo& port);

// Where `comName` leads, in one sentence without its full stop: "COM2 is
// /dev/ttyUSB0: <what the system reports>", "COM12 is a port of the system:
// <what it reports>" (the system's own COM name), "COM3 is linked to
// /dev/ttyUSB1, which is not present", "COM4 leads to no port".
std::string DescribeComChoice(std::string_view comName, const ComPortTarget& target,
                              std::span<const SystemPortInfo> ports, const std::string& linkDir);

// What is known of a port, one "  name: value" line each for what is
// known: description, maker, USB id, serial number, by-id name, driver.
std::string SystemPortFactLines(const SystemPortInfo& port);

// The port of `ports` at `path`, or null.
const SystemPortInfo* FindSystemPort(std::span<const SystemPortInfo> ports,
                                     const std::string& path);

}  // namespace vardex
