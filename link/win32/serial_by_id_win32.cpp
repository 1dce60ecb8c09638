#include "serial_by_id.h"

namespace vardex {

// Windows has no by-id folder: its adapters go by their COM names.
std::string ByIdNameOf(const std::string&, const std::string&) {
  return {};
}

}  // namespace vardex
