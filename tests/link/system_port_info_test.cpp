#include "system_port_info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vardex {
namespace {

TEST(DescribeComChoice, SaysWhereTheNameLeadsAndWhatTheSystemReports) {
  SystemPortInfo cp2102;
  cp2102.path = "/dev/ttyUSB0";
  cp2102.description = "CP2102 USB to UART Bridge Controller";
  cp2102.maker = "Silicon Labs";
  cp2102.vendorId = 0x10c4;
  cp2102.productId = 0xea60;
  cp2102.serialNumber = "0001";
  cp2102.byIdName = "/dev/serial/by-id/usb-Silicon_Labs_CP2102_0001-if00-port0";
  SystemPortInfo ftdi;  // the maker is part of the description already
  ftdi.path = "/dev/ttyUSB1";
  ftdi.description = "FTDI FT232R USB UART";
  ftdi.maker = "FTDI";
  ftdi.serialNumber = "A10KX2";
  SystemPortInfo prolific;  // no description: the USB ids stand in
  prolific.path = "/dev/ttyUSB2";
  prolific.maker = "Prolific";
  prolific.vendorId = 0x067b;
  prolific.productId = 0x2303;
  SystemPortInfo serialOnly;
  serialOnly.path = "/dev/ttyACM0";
  serialOnly.serialNumber = "77";
  SystemPortInfo halfIds;  // one id is no USB id to show
  halfIds.path = "/dev/ttyACM1";
  halfIds.vendorId = 0x2341;
  SystemPortInfo builtIn;
  builtIn.path = "/dev/ttyS0";
  SystemPortInfo windowsPort;  // Windows knows its ports by their COM names
  windowsPort.path = "COM2";
  windowsPort.description = "USB Serial Port";
  windowsPort.maker = "FTDI";
  const std::vector<SystemPortInfo> ports = {cp2102,  ftdi,    prolific,   serialOnly,
                                             halfIds, builtIn, windowsPort};

  struct Case {
    ComRoute route;
    std::string path;
    std::string text;
  };
  const Case cases[] = {
      {ComRoute::kSystemPort, "/dev/ttyUSB0",
       "COM2 is /dev/ttyUSB0: CP2102 USB to UART Bridge Controller (Silicon Labs), serial 0001"},
      {ComRoute::kLink, "/dev/ttyUSB1",
       "COM2 is /dev/ttyUSB1: FTDI FT232R USB UART, serial A10KX2"},
      {ComRoute::kLink, "/dev/ttyUSB2", "COM2 is /dev/ttyUSB2: USB device 067b:2303 (Prolific)"},
      {ComRoute::kSystemPort, "/dev/ttyACM0", "COM2 is /dev/ttyACM0: serial 77"},
      {ComRoute::kSystemPort, "/dev/ttyACM1", "COM2 is /dev/ttyACM1"},
      {ComRoute::kSystemPort, "/dev/ttyS0", "COM2 is /dev/ttyS0"},
      // A pseudo-terminal behind a link is no port the system lists.
      {ComRoute::kLink, "/dev/pts/4", "COM2 is /dev/pts/4"},
      {ComRoute::kSystemPort, "COM2", "COM2 is a port of the system: USB Serial Port (FTDI)"},
      {ComRoute::kNoPort, "", "COM2 leads to no port"},
      {ComRoute::kDanglingLink, "/dev/ttyUSB9",
       "COM2 is linked to /dev/ttyUSB9, which is not present"},
      {ComRoute::kLinkNotSerial, "/home/u/notes.txt",
       "COM2 is linked to /home/u/notes.txt, which is not a serial device"},
      {ComRoute::kLinkDirectoryRefused, "/dev/ttyUSB0",
       "COM2 is linked to /dev/ttyUSB0, not used: others may change /home/u/.vardex/dosdevices"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DescribeComChoice("COM2", {c.route, c.path}, ports, "/home/u/.vardex/dosdevices"),
              c.text);
  }
}

}  // namespace
}  // namespace vardex
