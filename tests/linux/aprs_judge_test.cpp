// Our APRS reader against decode_aprs, the decoder of Debian's direwolf
// package: the same verdict, position and symbol for every row, except
// where a row names why they differ on purpose.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "aprs_reader.h"
#include "beacon_packet.h"
#include "local_time.h"

namespace vardex {
namespace {

constexpr AprsVerdict R = AprsVerdict::kRead;
constexpr AprsVerdict W = AprsVerdict::kReadWarning;
constexpr AprsVerdict X = AprsVerdict::kRefused;

struct Row {
  std::string info;
  AprsVerdict ours;           // written out from the protocol reference
  const char* why = nullptr;  // set where decode_aprs judges otherwise on purpose
};

const std::vector<Row>& Corpus() {
  static const std::vector<Row> rows = {
      // Positions without and with time stamp, every symbol table form.
      {"!5221.60N/01653.63E-", R},
      {"=5221.60N/01653.63E-VARDEX digi", R},
      {"!5221.60S\\01653.63W&", R},
      {"!5221.60NS01653.63E#PHG5130 digi", R},
      {"!5221.60N101653.63E#", R},
      {"!5221.6 N/01653.6 E-ambiguous", R},
      {"!52  .  N/016  .  E-", R},
      {"!0000.00N/00000.00E!", R},
      {"!9000.00N/18000.00W/", R},
      {"!5221.60N/01653.63E-088/036moving", R},
      {"!5221.60N/01653.63E-PHG5132", R},
      {"!5221.60N/01653.63E-RNG0050", R},
      {"!5221.60N/01653.63E-DFS2360", R},
      {"!5221.60N/01653.63E-home /A=000123", R},
      {"@092345z5221.60N/01653.63E-VARDEX Test.", R},
      {"/081433z5221.60N/01653.63E>", R},
      {"@081433h5221.60N/01653.63E-", R},
      // Compressed positions.
      {"!/5L!!<*e7>7P[", R},
      {"=/5L!!<*e7> sTcomment", R},
      {"!/5L!!<*e7>{?!", R},
      {"@081433z/5L!!<*e7>7P[", R},
      {"!a5L!!<*e7>7P[", R},
      {"!\\5L!!<*e7&7P[", R},
      // Status, objects, items, other data types.
      {">VARDEX digipeater and IGate", R},
      {">081433zStatus with time", R},
      {";LEADER   *092345z4903.50N/07201.75W>088/036", R},
      {";REPEATER *081433z5221.60N/01653.63Er145.650MHz", R},
      {";LEADER   *092345z/5L!!<*e7>7P[", R},
      {")AID #2!4903.50N/07201.75WA", R},
      {")AID!/5L!!<*e7>7P[", R},
      {":N0CALL   :hello", R},
      {"T#001,1,2,3,4,5,00000000", R},
      // Broken: no data type, nothing, or only the data type.
      {"VARDEX Test.", X},
      {"5221.60N/01653.63E-", X},
      {"<lat>/<long>-", R},  // '<' is a capabilities report: read, says nothing
      {"!", X},
      {"@081433z", X},
      // Broken latitude or longitude.
      {"!5221.60N01653.63E-", X},
      {"!5261.60N/01653.63E-", X},
      {"!5221.60N/01673.63E-", X},
      {"!5221,60N/01653.63E-", X},
      {"!5221.60X/01653.63E-", X},
      {"!5221.60N/1653.63E-", X},
      {"!5221.6N/01653.63E-", X},
      {"!522A.60N/01653.63E-", X},
      {"!5221.60n/01653.63e-", W},
      // Broken symbol table or code.
      {"!5221.60N/01653.63E", X},
      {"!5221.60Na01653.63E&", X},
      {"!5221.60N 01653.63E-", X},
      {"!x5L!!<*e7>7P[", X},
      // Broken time stamps.
      {"@0814335221.60N/01653.63E-", X},
      {"@81433z5221.60N/01653.63E-", X},
      // Broken objects and items.
      {";LEADER*092345z4903.50N/07201.75W>", X},
      {";LEADER   x092345z4903.50N/07201.75W>", X},
      {")ABCDEFGHIJ!4903.50N/07201.75WA", X},
      {";LEADER   *092345z4903.50N/07201.75W", X},
      {")AID!4903.50N07201.75WA", X},
      // Differences on purpose: decode_aprs takes these as they come.
      {"@081433 5221.60N/01653.63E-", X,
       "the reference ends a time stamp with z, / or h; decode_aprs does not look"},
      {"@081433x5221.60N/01653.63E-", X, "time stamp ending in x (as above)"},
      {"@321433z5221.60N/01653.63E-", W, "day 32: decode_aprs does not check the time's values"},
      {"@081433/5221.60N/01653.63E-", W,
       "local time: the reference asks for UTC, receivers cannot place a local time"},
      {"!9221.60N/01653.63E-", X, "latitude above 90: decode_aprs does not check the range"},
      {"!5221.60N/01653.63E-123456789012345678901234567890123456789012345", W,
       "comment above 43 characters: decode_aprs has no length limits"},
      {"!5221.60N/01653.63E-088/0361234567890123456789012345678901234567", W,
       "comment above 36 characters after course/speed (as above)"},
      {"!/5L!!<*e7>7P[12345678901234567890123456789012345678901", W,
       "comment above 40 characters after a compressed position (as above)"},
      {">123456789012345678901234567890123456789012345678901234567890123", W,
       "status above 62 characters (as above)"},
      {">081433z12345678901234567890123456789012345678901234567890123456", W,
       "status above 55 characters after its time stamp (as above)"},
      {"!5221.60N/01653.63E-Comment with | bar", W,
       "| and ~ are kept for TNC stream switching; decode_aprs passes them"},
      {"!5221.60N/01653.63E|", W, "| as symbol code (as above)"},
      {";LEADER   _092345z4903.50N/07201.75W>", W,
       "a killed object is read, but a beacon that kills its own object is a mistake"},
      {")AID #2_4903.50N/07201.75WA", W, "a killed item (as above)"},
      {")AI!4903.50N/07201.75WA", X, "item names are 3 to 9 characters; decode_aprs takes 2"},
      {">081433/Status local", W, "a status time stamp is z only; decode_aprs reads it as text"},
      {"VARDEX !5221.60N/01653.63E-", W,
       "the reference lets ! stand up to 40 characters in; decode_aprs looks at the first only"},
      {"!/5L!!<*e7>", X,
       "a compressed position is 13 characters; decode_aprs takes one without course/speed"},
  };
  return rows;
}

// What decode_aprs said about one packet.
struct Judgement {
  std::vector<std::string> diagnostics;  // printed in its error colour
  std::string description;               // "Position, House"
  std::string positionLine;              // "N 52 21.6000, E 016 53.6300"
};

constexpr const char* kAddress = "N0CALL>BEACON:";

// Runs decode_aprs once over every info field; fails loudly when it is not
// there, since without it nothing here is judged.
std::map<std::string, Judgement> JudgeAll(const std::vector<std::string>& infos) {
  std::map<std::string, Judgement> judged;
  if (std::system("command -v decode_aprs >/dev/null 2>&1") != 0) {
    ADD_FAILURE() << "decode_aprs is missing: install Debian's direwolf package "
                     "(scripts/install-deps.sh does)";
    return judged;
  }
  char name[] = "/tmp/aprs_judge_XXXXXX";
  const int fd = mkstemp(name);
  EXPECT_GE(fd, 0);
  close(fd);
  {
    std::ofstream file(name);
    for (const std::string& info : infos) file << kAddress << info << "\n";
  }
  FILE* pipe = popen((std::string("decode_aprs ") + name + " 2>&1").c_str(), "r");
  EXPECT_NE(pipe, nullptr);
  std::string output;
  char buffer[4096];
  for (std::size_t n; pipe != nullptr && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    output.append(buffer, n);
  if (pipe != nullptr) {
    EXPECT_EQ(pclose(pipe), 0);
  }
  std::remove(name);

  // Lines carry colour escapes: red for its complaints, blue for what it
  // decoded; the packet itself is echoed before each block.
  const std::string kRed = "\x1b[38;2;255;0;0m";
  const std::regex escape("\x1b\\[[0-9;]*[A-Za-z]");
  const std::regex position("^[NS] \\d+ [\\d.]+, [EW] \\d+ [\\d.]+.*|.*Invalid L.*");
  Judgement* current = nullptr;
  std::istringstream lines(output);
  for (std::string raw; std::getline(lines, raw);) {
    const std::string line = std::regex_replace(raw, escape, "");
    if (line.rfind(kAddress, 0) == 0) {
      current = &judged[line.substr(std::string(kAddress).size())];
      continue;
    }
    if (current == nullptr || line.empty())
      continue;
    if (raw.find(kRed) != std::string::npos)
      current->diagnostics.push_back(line);
    else if (current->description.empty())
      current->description = line;
    else if (current->positionLine.empty() && std::regex_match(line, position))
      current->positionLine = line;
  }
  return judged;
}

bool HasPosition(const Judgement& j) {
  return !j.positionLine.empty() && j.positionLine.find("Invalid") == std::string::npos;
}

bool ExpectsPosition(const Judgement& j) {
  for (const char* kind : {"Position", "Object", "Item", "Killed"}) {
    if (j.description.rfind(kind, 0) == 0)
      return true;
  }
  return false;
}

// decode_aprs's verdict: its "Warning:" lines only warn; any other
// complaint, an unknown data type or a position it could not take refuses.
AprsVerdict VerdictOf(const Judgement& j) {
  if (j.description.find("Unknown APRS Data Type") != std::string::npos ||
      j.description.find("invalid live/killed") != std::string::npos ||
      (ExpectsPosition(j) && !HasPosition(j)))
    return X;
  bool warned = false;
  for (const std::string& d : j.diagnostics) {
    if (d.rfind("Warning", 0) != 0)
      return X;
    warned = true;
  }
  return warned ? W : R;
}

// Degrees from "N 52 21.6000, E 016 53.6300".
AprsPosition PositionOf(const std::string& line) {
  char ns = 0, ew = 0;
  int latDeg = 0, lonDeg = 0;
  double latMin = 0, lonMin = 0;
  EXPECT_EQ(std::sscanf(line.c_str(), "%c %d %lf, %c %d %lf", &ns, &latDeg, &latMin, &ew, &lonDeg,
                        &lonMin),
            6)
      << line;
  const double lat = latDeg + latMin / 60;
  const double lon = lonDeg + lonMin / 60;
  return {ns == 'S' ? -lat : lat, ew == 'W' ? -lon : lon};
}

// decode_aprs's words for a symbol, taken from a plain position that holds
// it: "House", "OVERLAYED CAR w/overlay 0".
std::string SymbolWords(const Judgement& plain) {
  const std::string prefix = "Position, ";
  return plain.description.substr(std::min(prefix.size(), plain.description.size()));
}

std::string PlainPosition(AprsSymbol symbol) {
  return std::string("!0000.00N") + symbol.table + "00000.00E" + symbol.code;
}

std::tm SendingTime() {
  std::tm utc = NewYear2000();
  utc.tm_mday = 8, utc.tm_hour = 14, utc.tm_min = 33;
  return utc;
}

std::string TimeStampedBeacon(const std::string& message) {
  ConfigSettings settings;
  settings.beacons.beacons[0].message = message;
  return BeaconsOnAir(settings, SendingTime()).at(0).information;
}

TEST(AprsJudge, OurReaderAgreesWithDecodeAprs) {
  std::vector<Row> rows = Corpus();
  // The start-up beacons, and the help window's example, as the device sends them.
  for (const BeaconOnAir& beacon : BeaconsOnAir(ConfigSettings{}, SendingTime()))
    rows.push_back({beacon.information, R});
  rows.push_back({TimeStampedBeacon("=<lat>/<long>#VARDEX digi"), R});
  rows.push_back({TimeStampedBeacon(";VARDEX   *<date>z<lat>/<long>-"), R});

  std::vector<std::string> infos;
  std::set<std::string> unique;
  for (const Row& row : rows) {
    infos.push_back(row.info);
    ASSERT_TRUE(unique.insert(row.info).second) << "twice in the corpus: " << row.info;
    const AprsReading ours = ReadAprsInformation(row.info);
    if (ours.symbol)
      infos.push_back(PlainPosition(*ours.symbol));
  }
  const std::map<std::string, Judgement> judged = JudgeAll(infos);
  if (judged.empty())
    return;
  int agreed = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.info);
    const AprsReading ours = ReadAprsInformation(row.info);
    ASSERT_TRUE(judged.contains(row.info)) << "decode_aprs said nothing about it";
    const Judgement& theirs = judged.at(row.info);
    const AprsVerdict theirVerdict = VerdictOf(theirs);
    EXPECT_EQ(ours.verdict, row.ours) << ours.problem;
    if (row.why != nullptr) {
      EXPECT_NE(theirVerdict, ours.verdict)
          << "decode_aprs now agrees; the row's reason is stale: " << row.why;
      continue;
    }
    EXPECT_EQ(theirVerdict, ours.verdict)
        << "decode_aprs: " << theirs.description << " / " << theirs.positionLine;
    if (ours.verdict != X && ours.position) {
      ASSERT_TRUE(HasPosition(theirs));
      const AprsPosition p = PositionOf(theirs.positionLine);
      EXPECT_NEAR(p.latitude, ours.position->latitude, 2e-6);
      EXPECT_NEAR(p.longitude, ours.position->longitude, 2e-6);
      const std::string words = SymbolWords(judged.at(PlainPosition(*ours.symbol)));
      EXPECT_NE(theirs.description.find(", " + words), std::string::npos)
          << "decode_aprs's symbol: " << theirs.description << "; ours as it names it: " << words;
    }
    if (theirVerdict == ours.verdict)
      ++agreed;
  }
  std::printf("decode_aprs agrees on %d of %zu rows; %zu differ on purpose\n", agreed, rows.size(),
              static_cast<std::size_t>(
                  std::count_if(rows.begin(), rows.end(), [](const Row& r) { return r.why; })));
}

}  // namespace
}  // namespace vardex
