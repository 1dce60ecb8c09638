#include "link_platform.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

namespace vardex {
namespace {

namespace fs = std::filesystem;

// "$D" in an expectation stands for the test's own folder, "$A" and "$B" for
// the two terminals standing in for adapters.
std::string InFolder(std::string text, const std::string& dir, const std::string& a = "$A",
                     const std::string& b = "$B") {
  for (const auto& [mark, value] : {std::pair{"$D", dir}, {"$A", a}, {"$B", b}}) {
    for (std::size_t at = text.find(mark); at != std::string::npos;
         at = text.find(mark, at + value.size())) {
      text.replace(at, 2, value);
    }
  }
  return text;
}

// A pseudo-terminal: a terminal device as an adapter's is, open while it lives.
class Terminal {
 public:
  Terminal() : master_(::posix_openpt(O_RDWR | O_NOCTTY)) {
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
      path_ = ::ptsname(master_);
  }
  ~Terminal() {
    if (master_ >= 0)
      ::close(master_);
  }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;
  const std::string& Path() const { return path_; }

 private:
  int master_;
  std::string path_;
};

std::string LinkTarget(const fs::path& link) {
  std::error_code error;
  const fs::path target = fs::read_symlink(link, error);
  return error ? "(none)" : target.string();
}

// A fake by-id folder naming terminal A as an adapter, and the user's link
// folder, not made yet, below it. Each step works on what the last left.
TEST(ComLinks, MadeReplacedRemovedAndRefused) {
  const Terminal a;
  const Terminal b;
  ASSERT_FALSE(a.Path().empty());
  ASSERT_FALSE(b.Path().empty());
  const fs::path dir = fs::temp_directory_path() / "vardex_com_link_maker";
  fs::remove_all(dir);
  fs::create_directories(dir / "by-id");
  fs::create_symlink(a.Path(), dir / "by-id/usb-Maker_Adapter_0001-if00-port0");
  std::ofstream(dir / "plain.txt") << "x";
  const std::string home = (dir / "home").string();
  const std::string links = home + "/.vardex/dosdevices";

  struct Step {
    const char* what;
    int number;
    const char* device;  // null: remove the link
    bool done;
    const char* error;
    const char* com3;  // where com3 points afterwards
  };
  const Step steps[] = {
      {"a device with a by-id name gets that name", 3, "$A", true, "",
       "$D/by-id/usb-Maker_Adapter_0001-if00-port0"},
      {"another device replaces the link", 3, "$B", true, "", "$B"},
      {"a by-id name given is kept", 3, "$D/by-id/usb-Maker_Adapter_0001-if00-port0", true, "",
       "$D/by-id/usb-Maker_Adapter_0001-if00-port0"},
      {"a plain file is no serial device", 3, "$D/plain.txt", false,
       "$D/plain.txt is not a serial device", "$D/by-id/usb-Maker_Adapter_0001-if00-port0"},
      {"a folder is no serial device", 3, "$D/by-id", false, "$D/by-id is not a serial device",
       "$D/by-id/usb-Maker_Adapter_0001-if00-port0"},
      {"an unplugged device", 3, "/dev/ttyVARDEXGONE", false, "/dev/ttyVARDEXGONE is not present",
       "$D/by-id/usb-Maker_Adapter_0001-if00-port0"},
      {"a character device that is no terminal", 3, "/dev/null", false,
       "/dev/null is not a serial device", "$D/by-id/usb-Maker_Adapter_0001-if00-port0"},
      {"a file in the link's place stays", 4, "$A", false,
       "$D/home/.vardex/dosdevices/com4 is not a link; move it away first",
       "$D/by-id/usb-Maker_Adapter_0001-if00-port0"},
      {"the link is removed", 3, nullptr, true, "", "(none)"},
      {"removing it again finds nothing to remove", 3, nullptr, true, "", "(none)"},
      {"a file in the link's place is not removed", 4, nullptr, false,
       "$D/home/.vardex/dosdevices/com4 is not a link; move it away first", "(none)"},
  };
  for (const Step& step : steps) {
    if (step.number == 4 && !fs::exists(links + "/com4"))
      std::ofstream(links + "/com4") << "mine";
    const ComLinkResult result =
        step.device != nullptr
            ? MakeComLink(step.number, InFolder(step.device, dir, a.Path(), b.Path()), links,
                          (dir / "by-id").string())
            : RemoveComLink(step.number, links);
    EXPECT_EQ(result.done, step.done) << step.what;
    EXPECT_EQ(result.error, InFolder(step.error, dir)) << step.what;
    EXPECT_EQ(LinkTarget(links + "/com3"), InFolder(step.com3, dir, a.Path(), b.Path()))
        << step.what;
  }
  EXPECT_TRUE(fs::exists(links + "/com4"));  // never replaced nor removed
  struct stat folder {};
  ASSERT_EQ(::stat(links.c_str(), &folder), 0);
  EXPECT_EQ(folder.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat((home + "/.vardex").c_str(), &folder), 0);
  EXPECT_EQ(folder.st_mode & 0777, 0700u);

  // The COM names ignore a folder others may change, so no link is made there.
  ::chmod(links.c_str(), 0777);
  const ComLinkResult refused = MakeComLink(5, a.Path(), links, (dir / "by-id").string());
  EXPECT_FALSE(refused.done);
  EXPECT_EQ(refused.error,
            InFolder("others may change $D/home/.vardex/dosdevices, so its links are not used: "
                     "make the folder yours and closed to others (chmod go-w "
                     "$D/home/.vardex/dosdevices)",
                     dir));
  EXPECT_FALSE(fs::is_symlink(links + "/com5"));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace vardex
