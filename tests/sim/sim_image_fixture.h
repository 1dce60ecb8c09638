#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "sim_process.h"

namespace vardex::sim {

// A simulator started on an image file of the test's own, in a scratch folder.
class SimImageFixture : public ::testing::Test {
 protected:
  bool StartWith(std::vector<std::string> args, const Bytes& image) {
    WriteFile(imageFile(), image);
    args.insert(args.end(), {"--image", imageFile().string()});
    return sim.Start(args);
  }
  std::filesystem::path imageFile() const { return dir.Path() / "image.bin"; }

  TempDir dir;
  SimProcess sim;
};

}  // namespace vardex::sim
