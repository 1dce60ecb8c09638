#pragma once

#include <string>

namespace vardex::sim {

// The name "COMn" under which the tool finds the simulator: a symlink
// <dir>/comn pointing at the pty slave. The directory must belong to the user
// and be closed to group and others, or the tool will not trust it.
class ComLink {
 public:
  ComLink() = default;
  ComLink(const ComLink&) = delete;
  ComLink& operator=(const ComLink&) = delete;
  ~ComLink() { Remove(); }

  // dir empty: $HOME/.vardex/dosdevices. Missing directories are made 0700.
  // An older link of the same name (left by a killed run) is replaced.
  bool Create(int com, const std::string& dir, const std::string& target, std::string& error);
  // Removes the link, but only while it still points at our pty.
  void Remove();

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::string target_;
};

}  // namespace vardex::sim
