#pragma once

#include <QString>

#include "port_failure.h"

namespace vardex {

// The second text of the open-error box: why `comName` did not open and
// what to do about it. `path` is the device the name led to (may be empty);
// `namesLeadTo` lists what every COM name leads to on this machine.
QString PortFailureDetail(PortFailure failure, const QString& comName, const QString& path,
                          const QString& namesLeadTo);

}  // namespace vardex
