#pragma once

#include <QIcon>

namespace vardex {

// The id under which the desktop entry, the icon and the AppStream data are
// installed; the window gives it as its desktop file name so that desktops
// group the window with its menu entry.
inline constexpr char kDesktopId[] = "io.github.vardex.Configurator";

// The program's icon, drawn from the SVG built into the program at the sizes
// desktops ask for. Rendered here rather than by an image plugin, so the
// icon cannot go missing when the plugin is not installed. Null when the
// drawing cannot be read. Without Qt's SVG module (on Windows) the same
// sizes are drawn at build time and built in as PNG.
QIcon ApplicationIcon();

}  // namespace vardex
