#pragma once

// Images for the tests of the configuration files: the simulator's factory image, whose
// every field passes the window's rules.
#include "config_image.h"
#include "factory_image.h"

namespace vardex::testing {

inline ConfigImage FactoryImage() {
  ConfigImage image;
  vardex::sim::PutFactorySettings(image.bytes);
  StoreImageChecksum(image);
  return image;
}

}  // namespace vardex::testing
