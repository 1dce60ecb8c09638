#pragma once

#include <QCoreApplication>

namespace vardex {

// What vardex sets up before its command, for as long as it runs: on Linux
// the Qt application that QSerialPort works in.
class ProgramSetup {
 public:
  ProgramSetup(int& argc, char** argv) : app_(argc, argv) {
    QCoreApplication::setApplicationName(QStringLiteral("vardex"));
  }

 private:
  QCoreApplication app_;
};

}  // namespace vardex
