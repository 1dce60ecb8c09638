#include <QString>
#include <QSysInfo>

#include "problem_report.h"

namespace vardex {

std::string SystemDescription() {
  return (QSysInfo::prettyProductName() + QStringLiteral(", kernel ") + QSysInfo::kernelType() +
          QStringLiteral(" ") + QSysInfo::kernelVersion() + QStringLiteral(", ") +
          QSysInfo::currentCpuArchitecture())
      .toStdString();
}

}  // namespace vardex
