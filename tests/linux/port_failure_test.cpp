#include "port_failure.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "com_names.h"
#include "link_platform.h"

namespace vardex {
namespace {

TEST(DiagnosePortFailure, TakesTheFirstFactThatExplainsTheFailure) {
  struct Case {
    PortFacts facts;
    PortFailure failure;
  };
  using R = ComRoute;
  // knownName, route, openHere, exists, accessible
  const Case cases[] = {
      {{false, R::kSystemPort, true, true, true}, PortFailure::kUnknownName},
      {{true, R::kNoPort, false, false, false}, PortFailure::kNotLinked},
      {{true, R::kDanglingLink, false, false, false}, PortFailure::kLinkDangling},
      {{true, R::kLinkNotSerial, false, true, true}, PortFailure::kLinkNotSerial},
      {{true, R::kLinkDirectoryRefused, false, true, true}, PortFailure::kLinkDirectoryRefused},
      {{true, R::kLink, true, true, true}, PortFailure::kAlreadyOpenHere},
      {{true, R::kSystemPort, false, false, false}, PortFailure::kVanished},
      {{true, R::kLink, false, true, false}, PortFailure::kPermission},
      {{true, R::kSystemPort, false, true, true}, PortFailure::kBusy},
  };
  for (const Case& c : cases) EXPECT_EQ(DiagnosePortFailure(c.facts), c.failure);
}

// The reasons for a link that leads nowhere, as the window and vardex say them.
TEST(PortFailureText, NamesTheLinkAndWhatToDo) {
  struct Case {
    PortFailure failure;
    std::string path;
    std::string text;
  };
  const Case cases[] = {
      {PortFailure::kLinkDangling, "/dev/ttyUSB0",
       "COM1 is linked to /dev/ttyUSB0, which is not present: plug the adapter in, or change the "
       "link (/home/op/.vardex/dosdevices/com1)."},
      {PortFailure::kLinkNotSerial, "/home/op/notes.txt",
       "COM1 is linked to /home/op/notes.txt, which is not a serial device: change the link "
       "(/home/op/.vardex/dosdevices/com1)."},
      {PortFailure::kLinkDirectoryRefused, "/dev/ttyUSB0",
       "COM1 is linked to /dev/ttyUSB0, but others may change /home/op/.vardex/dosdevices, so "
       "the link is not used: make the folder yours and closed to others (chmod go-w "
       "/home/op/.vardex/dosdevices)."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PortFailureText(c.failure, {"COM1", c.path, "/home/op/.vardex/dosdevices", ""}),
              c.text);
  }
  // vardex's way to try again reads once, with one "again".
  EXPECT_EQ(
      PortFailureText(PortFailure::kBusy, {"COM1", "/dev/ttyUSB0", "", "", "run the command"}),
      "COM1 (/dev/ttyUSB0) is in use by another program. Close that program, then run the "
      "command again.");
}

TEST(ProbeFileSystem, FindsMissingAndRefusedDevices) {
  char pattern[] = "/tmp/vardex-probe-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const std::string dir = pattern;
  const std::string device = dir + "/ttyFAKE0";
  std::ofstream(device) << "x";

  PortFacts present;
  ProbeFileSystem(device, present);
  EXPECT_TRUE(present.exists);

  PortFacts gone;
  ProbeFileSystem(dir + "/ttyGONE", gone);
  EXPECT_FALSE(gone.exists);
  EXPECT_FALSE(gone.accessible);

  if (::geteuid() != 0) {  // root may open anything
    ASSERT_EQ(::chmod(device.c_str(), 0400), 0);
    PortFacts readOnly;
    ProbeFileSystem(device, readOnly);
    EXPECT_TRUE(readOnly.exists);
    EXPECT_FALSE(readOnly.accessible);
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vardex
