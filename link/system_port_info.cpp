#include "system_port_info.h"

#include <cstdio>

namespace vardex {

std::string UsbIdText(const SystemPortInfo& port) {
  if (!port.vendorId || !port.productId)
    return {};
  char text[16];
  std::snprintf(text, sizeof text, "%04x:%04x", unsigned{*port.vendorId},
                unsigned{*port.productId});
  return text;
}

std::string DescribeSystemPort(const SystemPortInfo& port) {
  std::string text = port.description;
  if (text.empty() && port.vendorId && port.productId)
    text = "USB device " + UsbIdText(port);
  // Many adapters repeat their maker in their description.
  if (!port.maker.empty() && text.find(port.maker) == std::string::npos)
    text = text.empty() ? port.maker : text + " (" + port.maker + ")";
  if (!port.serialNumber.empty())
    text += (text.empty() ? "serial " : ", serial ") + port.serialNumber;
  return text;
}

const SystemPortInfo* FindSystemPort(std::span<const SystemPortInfo> ports,
                                     const std::string& path) {
  for (const SystemPortInfo& port : ports) {
    if (port.path == path)
      return &port;
  }
  return nullptr;
}

std::string DescribeComChoice(std::string_view comName, const ComPortTarget& target,
                              std::span<const SystemPortInfo> ports, const std::string& linkDir) {
  std::string text(comName);
  switch (target.route) {
    case ComRoute::kLink:
    case ComRoute::kSystemPort: {
      // On Windows the name is the system's own name for the port.
      text +=
          target.path == comName ? std::string(" is a port of the system") : " is " + target.path;
      const SystemPortInfo* port = FindSystemPort(ports, target.path);
      const std::string facts = port != nullptr ? DescribeSystemPort(*port) : std::string();
      if (!facts.empty())
        text += ": " + facts;
      break;
    }
    case ComRoute::kNoPort:
      text += " leads to no port";
      break;
    case ComRoute::kDanglingLink:
      text += " is linked to " + target.path + ", which is not present";
      break;
    case ComRoute::kLinkNotSerial:
      text += " is linked to " + target.path + ", which is not a serial device";
      break;
    case ComRoute::kLinkDirectoryRefused:
      text += " is linked to " + target.path + ", not used: others may change " + linkDir;
      break;
  }
  return text;
}

std::string SystemPortFactLines(const SystemPortInfo& port) {
  std::string text;
  auto field = [&text](const char* name, const std::string& value) {
    if (!value.empty())
      text += std::string("  ") + name + ": " + value + "\n";
  };
  field("description", port.description);
  field("maker", port.maker);
  field("USB id", UsbIdText(port));
  field("serial number", port.serialNumber);
  field("by-id name", port.byIdName);
  field("driver", port.driver);
  return text;
}

}  // namespace vardex
