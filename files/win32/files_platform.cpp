#include <windows.h>

#include <vector>

#include "files_platform.h"
#include "image_file.h"
#include "serial_port_adapter.h"

namespace vardex {
namespace {

// An access list that lets the user who runs the program alone in: the
// files hold passwords. Empty when the system will not say who that is.
class OwnerOnlySecurity {
 public:
  OwnerOnlySecurity() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
      return;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    user_.resize(size);
    const bool known =
        size != 0 && GetTokenInformation(token, TokenUser, user_.data(), size, &size);
    CloseHandle(token);
    if (!known)
      return;
    const PSID sid = reinterpret_cast<TOKEN_USER*>(user_.data())->User.Sid;
    acl_.resize(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid));
    auto* acl = reinterpret_cast<ACL*>(acl_.data());
    ready_ = InitializeAcl(acl, static_cast<DWORD>(acl_.size()), ACL_REVISION) &&
             AddAccessAllowedAce(acl, ACL_REVISION, FILE_ALL_ACCESS, sid) &&
             InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
             SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE) &&
             SetSecurityDescriptorControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
    attributes_ = {sizeof attributes_, &descriptor_, FALSE};
  }
  SECURITY_ATTRIBUTES* Attributes() { return ready_ ? &attributes_ : nullptr; }

 private:
  std::vector<BYTE> user_;
  std::vector<BYTE> acl_;
  SECURITY_DESCRIPTOR descriptor_{};
  SECURITY_ATTRIBUTES attributes_{};
  bool ready_ = false;
};

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

// A temporary file in the same folder, flushed, then moved over `path`: on
// one volume the move is a rename, so readers see the old file or the new
// one, never a part. A new file is the user's alone; a file replaced keeps
// its access list and attributes (ReplaceFileW carries them over).
bool WriteFileAtomically(const std::string& path, std::string_view contents, std::string& error) {
  // In full: ReplaceFileW refuses a name relative to the drive ("\\dir\\file").
  const std::wstring given = FileSystemPath(path).wstring();
  std::wstring target(MAX_PATH, L'\0');
  DWORD length =
      GetFullPathNameW(given.c_str(), static_cast<DWORD>(target.size()), target.data(), nullptr);
  if (length >= target.size()) {
    target.resize(length);
    length = GetFullPathNameW(given.c_str(), length, target.data(), nullptr);
  }
  target.resize(length < target.size() ? length : 0);
  if (target.empty())
    target = given;
  const std::size_t folderEnd = target.find_last_of(L"\\/:");
  const std::wstring folder =
      folderEnd == std::wstring::npos ? L"." : target.substr(0, folderEnd + 1);
  const DWORD existing = GetFileAttributesW(target.c_str());
  const bool replacing = existing != INVALID_FILE_ATTRIBUTES;
  // A folder is never replaced by a file (Wine's ReplaceFileW would do it).
  if (replacing && (existing & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    error = path + ": cannot write (" + Win32ErrorText(ERROR_ACCESS_DENIED) + ")";
    return false;
  }
  OwnerOnlySecurity ownerOnly;
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  DWORD code = ERROR_FILE_EXISTS;
  for (unsigned attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = folder + L"vdx" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount() + attempt) + L".tmp";
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0,
                       replacing ? nullptr : ownerOnly.Attributes(), CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    code = GetLastError();
    if (file == INVALID_HANDLE_VALUE && code != ERROR_FILE_EXISTS)
      break;
  }
  if (file == INVALID_HANDLE_VALUE) {
    error = path + ": cannot write (" + Win32ErrorText(code) + ")";
    return false;
  }
  DWORD written = 0;
  const auto size = static_cast<DWORD>(contents.size());
  bool done = size == contents.size() &&
              WriteFile(file, contents.data(), size, &written, nullptr) && written == size &&
              FlushFileBuffers(file);
  if (!done)
    code = GetLastError();
  CloseHandle(file);
  if (done) {
    done = replacing ? ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                    REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                     : MoveFileExW(temporary.c_str(), target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!done)
      code = GetLastError();
  }
  if (!done) {
    DeleteFileW(temporary.c_str());
    error = path + ": cannot write (" + Win32ErrorText(code) + ")";
  }
  return done;
}

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
