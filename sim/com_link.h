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
  // A link of the same name that leads to a pty no longer there, or to this
  // run's own (left by a killed run), is replaced; any other link only when `replace` is set, and
  // it is put back by Remove.
  bool Create(int com, const std::string& dir, const std::string& target, bool replace,
              std::string& error);
  // Removes the link, or puts back the one it replaced, but only while it
  // still points at our pty.
  void Remove();

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::string target_;
  std::string replaced_;  // the target of the user's link that ours stands in for
};

}  // namespace vardex::sim
