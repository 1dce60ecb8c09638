#pragma once

namespace vardex {

// The id under which the desktop entry, the icon and the AppStream data are
// installed; the window gives it as its desktop file name so that desktops
// group the window with its menu entry.
inline constexpr char kDesktopId[] = "io.github.vardex.Configurator";

}  // namespace vardex
