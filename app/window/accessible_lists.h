#pragma once

namespace vardex {

// Makes screen readers announce a drop-down list by its accessible name
// (its label) and read its text as the value. Qt's own interface for lists
// names them by their current text on Linux, so "COM1" would be heard
// instead of "COM Port:". Installs once per process; safe to call again.
void InstallListNames();

}  // namespace vardex
