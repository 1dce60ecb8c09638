#pragma once

#include <span>
#include <string>

namespace vardex {

// One file of a zip archive.
struct ZipEntry {
  std::string name;  // a plain name, "/" between folders
  std::string contents;
};

// The time every entry of an archive carries, in the PC's local time as zip
// keeps it (years 1980 to 2107).
struct ZipTime {
  int year = 1980;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// A zip archive of `entries`, stored as they are (no compression): every
// unzip program reads it, and a report of a few hundred kilobytes needs no
// more. Names and contents up to 4 GB less a byte; no zip64.
std::string ZipArchive(std::span<const ZipEntry> entries, const ZipTime& time);

}  // namespace vardex
