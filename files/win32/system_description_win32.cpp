#include <windows.h>

#include "problem_report.h"

namespace vardex {
namespace {

// A text value of the system's version key, as UTF-8; empty when missing.
std::string VersionValue(const wchar_t* name) {
  wchar_t value[128] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", name,
                   RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return {};
  char utf8[512] = {};
  WideCharToMultiByte(CP_UTF8, 0, value, -1, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

}  // namespace

// Windows 11 still calls itself "Windows 10" in ProductName; the build
// number (22000 and above for 11) tells them apart.
std::string SystemDescription() {
  std::string text = VersionValue(L"ProductName");
  const std::string display = VersionValue(L"DisplayVersion");
  if (!display.empty())
    text += " " + display;
  text += ", build " + VersionValue(L"CurrentBuild");
  return text;
}

}  // namespace vardex
