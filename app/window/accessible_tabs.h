#pragma once

namespace vardex {

// Makes screen readers see a page tab as focused only while its tab bar has
// the keyboard focus. Qt's own interface reports the current tab focused at
// all times, so after a message box Orca would announce the "Radio" tab
// instead of the field to fix. Installs once per process; call it before
// the first tab bar is built.
void InstallPageTabFocus();

}  // namespace vardex
