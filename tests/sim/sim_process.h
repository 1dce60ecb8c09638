#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "sim_launcher.h"

namespace vardex::sim {

using Bytes = std::vector<std::uint8_t>;
using std::chrono::milliseconds;

// A private directory under the test temp dir, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The tool's end of the line: the pty slave opened raw and non-blocking.
class Port {
 public:
  explicit Port(const std::string& path);
  ~Port();
  Port(const Port&) = delete;
  Port& operator=(const Port&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  void Close();
  bool Write(std::span<const std::uint8_t> bytes);
  // Reads until `count` bytes arrived or `limit` passed; returns what came.
  Bytes Read(std::size_t count, milliseconds limit);
  // Like Read, but keeps every read() apart, to see how a reply was split.
  std::vector<Bytes> ReadPieces(std::size_t count, milliseconds limit);
  // True when nothing at all arrives within `span`.
  bool StaysSilent(milliseconds span);

 private:
  int fd_ = -1;
};

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const Bytes& bytes);

// Frame building on the test's side (written from the frame table, not taken
// from the simulator), checked against literal headers in the tests.
Bytes Header(std::uint8_t code, std::uint16_t page, std::uint16_t sum);
std::uint16_t Sum16(std::span<const std::uint8_t> data);
Bytes Concat(const Bytes& a, const Bytes& b);

}  // namespace vardex::sim
