#pragma once

#include <QIcon>
#include <QString>
#include <string>

class QAccessibleInterface;

namespace vardex {

// Everything the window asks of the system it runs on; each platform folder
// (linux/, win32/) answers it in app_platform.cpp.

// The program's icon, drawn from the SVG built into the program at the sizes
// desktops ask for. Rendered here rather than by an image plugin, so the
// icon cannot go missing when the plugin is not installed. Null when the
// drawing cannot be read. Without Qt's SVG module (on Windows) the same
// sizes are drawn at build time and built in as PNG.
QIcon ApplicationIcon();

// A file name as the file and firmware loaders take it: UTF-8 on Windows
// (they open it with the wide-character calls), the system's bytes elsewhere.
std::string FileNameBytes(const QString& path);

// Sends the status bar's new text to screen readers as an announcement, on
// top of the accessibility events every platform gets.
void AnnounceOnBus(QAccessibleInterface* accessible, const QString& text);

}  // namespace vardex
