#include <windows.h>

#include "image_file.h"
#include "win32_serial_port.h"

namespace vardex {

// A temporary file in the same folder, flushed, then moved over `path`: on
// one volume the move is a rename, so readers see the old file or the new
// one, never a part.
bool WriteFileAtomically(const std::string& path, std::string_view contents, std::string& error) {
  const std::size_t folderEnd = path.find_last_of("\\/:");
  const std::string folder = folderEnd == std::string::npos ? "." : path.substr(0, folderEnd + 1);
  char temporary[MAX_PATH];
  DWORD code = 0;
  if (GetTempFileNameA(folder.c_str(), "vdx", 0, temporary) == 0) {
    error = path + ": cannot write (" + Win32ErrorText(GetLastError()) + ")";
    return false;
  }
  const HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  bool done = file != INVALID_HANDLE_VALUE;
  DWORD written = 0;
  const auto size = static_cast<DWORD>(contents.size());
  done = done && size == contents.size() &&
         WriteFile(file, contents.data(), size, &written, nullptr) && written == size &&
         FlushFileBuffers(file);
  if (!done)
    code = GetLastError();
  if (file != INVALID_HANDLE_VALUE)
    CloseHandle(file);
  if (done &&
      !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    done = false;
    code = GetLastError();
  }
  if (!done) {
    DeleteFileA(temporary);
    error = path + ": cannot write (" + Win32ErrorText(code) + ")";
  }
  return done;
}

}  // namespace vardex
