#include "port_failure.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace vardex {
namespace {

TEST(DiagnosePortFailure, TakesTheFirstFactThatExplainsTheFailure) {
  struct Case {
    PortFacts facts;
    PortFailure failure;
  };
  // knownName, resolved, openHere, linkDangling, exists, accessible
  const Case cases[] = {
      {{false, true, true, false, true, true}, PortFailure::kUnknownName},
      {{true, false, false, false, false, false}, PortFailure::kNotLinked},
      {{true, false, false, true, false, false}, PortFailure::kVanished},
      {{true, true, true, false, true, true}, PortFailure::kAlreadyOpenHere},
      {{true, true, false, false, false, false}, PortFailure::kVanished},
      {{true, true, false, false, true, false}, PortFailure::kPermission},
      {{true, true, false, false, true, true}, PortFailure::kBusy},
  };
  for (const Case& c : cases) EXPECT_EQ(DiagnosePortFailure(c.facts), c.failure);
}

TEST(ProbeFileSystem, FindsDanglingLinksAndMissingDevices) {
  char pattern[] = "/tmp/vardex-probe-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const std::string dir = pattern;
  const std::string device = dir + "/ttyFAKE0";
  std::ofstream(device) << "x";
  ASSERT_EQ(::symlink(device.c_str(), (dir + "/com2").c_str()), 0);
  ASSERT_EQ(::symlink((dir + "/ttyGONE").c_str(), (dir + "/com3").c_str()), 0);

  PortFacts linked;
  ProbeFileSystem(dir, 2, device, linked);
  EXPECT_FALSE(linked.linkDangling);
  EXPECT_TRUE(linked.exists);

  PortFacts dangling;
  ProbeFileSystem(dir, 3, "", dangling);
  EXPECT_TRUE(dangling.linkDangling);
  EXPECT_FALSE(dangling.exists);

  PortFacts noLink;
  ProbeFileSystem(dir, 4, dir + "/ttyGONE", noLink);
  EXPECT_FALSE(noLink.linkDangling);
  EXPECT_FALSE(noLink.exists);
  EXPECT_FALSE(noLink.accessible);

  if (::geteuid() != 0) {  // root may open anything
    ASSERT_EQ(::chmod(device.c_str(), 0400), 0);
    PortFacts readOnly;
    ProbeFileSystem(dir, 2, device, readOnly);
    EXPECT_TRUE(readOnly.exists);
    EXPECT_FALSE(readOnly.accessible);
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace vardex
