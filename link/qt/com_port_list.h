#pragma once

#include <QString>
#include <span>
#include <string>
#include <vector>

#include "com_names.h"
#include "system_port_info.h"

namespace vardex {

// The serial ports the system lists (USB adapters included) with what it
// says about each, by device path in a stable, natural order.
std::vector<SystemPortInfo> SystemPortInfos();

// The device paths of SystemPortInfos(), in its order.
std::vector<std::string> SystemSerialPorts();

// What "COM1" to "COM9" open on this machine: the system's own COMn on
// Windows; elsewhere the name's link if it has one, else the system's list.
ComPortTarget ResolveComName(const QString& name);
// The same among `ports`, listed by SystemPortInfos() a moment ago.
ComPortTarget ResolveComNameAmong(const QString& name, std::span<const SystemPortInfo> ports);

// One line per COM name with what it leads to, for the COM list's hint.
QString ComPortHint();

}  // namespace vardex
