#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "com_names.h"
#include "link_platform.h"
#include "system_port_info.h"

namespace vardex {

// The window's view of the system's serial ports, in Qt's terms: the
// platform's answers (link_platform.h) as the window's widgets take them.

// The device paths of SystemPortInfos(), in its order.
std::vector<std::string> SystemSerialPorts();

// The number of a COM name the window opens: "COM1" to "COM9"; on Windows
// any COMn.
std::optional<int> WindowComNumber(const QString& name);

// The system's COM names above COM9, in order, which the COM list offers
// after COM9 (USB adapters on Windows often get them); none elsewhere.
QStringList ComNamesAboveNine();

// What "COM1" to "COM9" open on this machine: the system's own COMn on
// Windows; elsewhere the name's link if it has one, else the system's list.
ComPortTarget ResolveComName(const QString& name);
// The same among `ports`, listed by SystemPortInfos() a moment ago.
ComPortTarget ResolveComNameAmong(const QString& name, std::span<const SystemPortInfo> ports);

// A short text that changes when ports or COM names come or go, or when
// `target` (what the chosen name led to) does.
QString PortChangeSigns(const QString& target);

// One line per COM name with what it leads to, for the COM list's hint.
QString ComPortHint();

}  // namespace vardex
