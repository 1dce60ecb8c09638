#pragma once

#include <QMenu>
#include <QMenuBar>

namespace vardex {

// The window's Tools menu, made by whichever tool comes first.
inline QMenu* ToolsMenu(QMenuBar* menuBar) {
  QMenu* tools = menuBar->findChild<QMenu*>("ToolsMenu");
  if (tools == nullptr) {
    tools = menuBar->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName("ToolsMenu");
  }
  return tools;
}

}  // namespace vardex
