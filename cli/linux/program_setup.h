#pragma once

#include <QCoreApplication>
#include <string>
#include <vector>

namespace vardex {

// What vardex sets up before its command, for as long as it runs: on Linux
// the Qt application that QSerialPort works in.
class ProgramSetup {
 public:
  ProgramSetup(int& argc, char** argv) : app_(argc, argv), args_(argv + 1, argv + argc) {
    QCoreApplication::setApplicationName(QStringLiteral("vardex"));
  }

  // The arguments after the program's name, as the system gives them (UTF-8).
  const std::vector<std::string>& Arguments() const { return args_; }

 private:
  QCoreApplication app_;
  std::vector<std::string> args_;
};

}  // namespace vardex
