#include "com_link_maker.h"

namespace vardex {

namespace {

ComLinkResult NoLinksHere() {
  ComLinkResult result;
  result.error = "COM names are the system's own on Windows";
  return result;
}

}  // namespace

ComLinkResult MakeComLink(int, const std::string&, const std::string&, const std::string&) {
  return NoLinksHere();
}

ComLinkResult RemoveComLink(int, const std::string&) {
  return NoLinksHere();
}

}  // namespace vardex
