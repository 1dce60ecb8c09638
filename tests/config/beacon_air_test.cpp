#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "aprs_symbols.h"
#include "beacon_check.h"
#include "beacon_packet.h"
#include "local_time.h"
#include "station_check.h"

namespace vardex {
namespace {

// Names as the published symbol lists (symbolsX.txt, symbols-new.txt) give them.
TEST(AprsSymbols, KnownSymbolsByName) {
  const struct {
    AprsSymbol symbol;
    const char* text;
  } cases[] = {
      {{'/', '-'}, "House (/-)"},
      {{'/', '#'}, "Digipeater (/#)"},
      {{'/', '>'}, "Car (/>)"},
      {{'/', '_'}, "Weather station (/_)"},
      {{'\\', '!'}, "Emergency (\\!)"},
      {{'\\', '&'}, "Gateway (\\&)"},
      {{'I', '&'}, "IGate (I&)"},
      {{'1', '#'}, "Digipeater (WIDE1-1) (1#)"},
      {{'3', '>'}, "Car (top view) with overlay 3 (3>)"},
      {{'/', 'D'}, "unassigned symbol (/D)"},
      {{'a', '-'}, "unassigned symbol (a-)"},
  };
  for (const auto& c : cases) EXPECT_EQ(SymbolText(c.symbol), c.text);
  // The chooser lists the primary table first, in code order.
  EXPECT_EQ(NamedSymbols().front().name, "Police, sheriff");
  EXPECT_EQ(NamedSymbols()[1].name, "Digipeater");
}

std::tm At(int day, int hour, int minute) {
  std::tm time = NewYear2000();
  time.tm_mday = day, time.tm_hour = hour, time.tm_min = minute;
  return time;
}

TEST(BeaconsOnAir, PacketsAsTheDeviceSendsThem) {
  ConfigSettings s;
  s.radio.callsign = "SP3XYZ";
  s.radio.ssid = "10";
  s.beacons.beacons[1].message = ">status <date>";
  s.beacons.beacons[1].block.path = "";
  s.beacons.beacons[2].message = "!<lat>/<long>#";
  s.beacons.beacons[2].block.toRf = false;
  s.beacons.beacons[3].message = "off";
  s.beacons.beacons[3].block.toRf = s.beacons.beacons[3].block.toAprsIs = false;
  const std::vector<BeaconOnAir> on = BeaconsOnAir(s, At(7, 9, 5));
  ASSERT_EQ(on.size(), 3u);
  EXPECT_EQ(on[0].Packet(), "SP3XYZ-10>APVDX1,WIDE2-2:@070905z5221.60N/01653.63E-VARDEX Test.");
  EXPECT_EQ(on[1].Packet(), "SP3XYZ-10>BEACON:>status 070905");
  EXPECT_EQ(on[2].Packet(), "SP3XYZ-10>BEACON,WIDE2-2:!5221.60N/01653.63E#");
  EXPECT_EQ(on[2].number, 3);
  EXPECT_FALSE(on[2].toRf);
  EXPECT_EQ(DescribeReading(on[0].reading), "position with time stamp, symbol House (/-)");
  RadioSettings padded;
  padded.callsign = "A     ";
  EXPECT_EQ(StationAddress(padded), "A");
}

// The chooser's two characters land where the reader found the symbol,
// whatever the special strings around them become.
TEST(PutSymbol, WhereTheSymbolStands) {
  const struct {
    const char* message;
    AprsSymbol symbol;
    std::optional<std::string> put;
  } cases[] = {
      {"@<date>z<lat>/<long>-VARDEX", {'\\', '&'}, "@<date>z<lat>\\<long>&VARDEX"},
      {"!5221.60N/01653.63E-", {'I', '&'}, "!5221.60NI01653.63E&"},
      {"!/5L!!<*e7>7P[", {'3', '>'}, "!d5L!!<*e7>7P["},
      {";NAME     *<date>z<lat>/<long>-", {'/', 'r'}, ";NAME     *<date>z<lat>/<long>r"},
      {"VARDEX !<lat>/<long>-", {'/', '#'}, "VARDEX !<lat>/<long>#"},
      {">status", {'/', '-'}, std::nullopt},
      {"!<lat><long>-", {'/', '-'}, std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PutSymbol(c.message, RadioSettings{}, c.symbol), c.put) << c.message;
}

TEST(MinutesAhead, AcrossMidnightAndNewYear) {
  std::tm utc = At(31, 23, 30);
  utc.tm_mon = 11, utc.tm_yday = 365;
  std::tm local = NewYear2000();
  local.tm_year = 101, local.tm_min = 30;
  EXPECT_EQ(MinutesAhead(local, utc), 60);
  EXPECT_EQ(MinutesAhead(utc, local), -60);
  std::tm west = utc;
  west.tm_hour = 18, west.tm_min = 0;
  EXPECT_EQ(MinutesAhead(west, utc), -330);
  EXPECT_EQ(UtcOffsetText(-330), "UTC-05:30");
  EXPECT_EQ(UtcOffsetText(60), "UTC+01:00");
}

std::vector<std::string> BeaconNotes(const ConfigSettings& s, int minutesAhead) {
  std::vector<std::string> notes;
  for (const StationFinding& f : CheckStation(s, {At(8, 14, 33), minutesAhead})) {
    if (f.key.ends_with(".message"))
      notes.push_back(f.key + " " + f.onAir.substr(0, f.onAir.find(' ', 10)));
  }
  return notes;
}

TEST(BeaconCheck, NotesOnBeaconsThatAreOn) {
  const struct {
    const char* what;
    const char* message;
    bool on;
    int minutesAhead;
    bool uploadPcTime;
    std::vector<std::string> notes;
  } cases[] = {
      {"start-up, PC on UTC", nullptr, true, 0, true, {}},
      {"start-up, PC on UTC+1", nullptr, true, 60, true, {"beacon[1].message Beacon 1 stamps"}},
      {"clock typed by hand", nullptr, true, 60, false, {}},
      {"no time stamp", "=<lat>/<long>-", true, 60, true, {}},
      {"<date>h", "@<date>h<lat>/<long>-", true, 0, true, {"beacon[1].message Beacon 1 sends"}},
      {"no data type", "VARDEX <lat> <long>", true, 0, true, {"beacon[1].message Beacon 1 goes"}},
      {"off", "VARDEX <lat> <long>", false, 60, true, {}},
  };
  for (const auto& c : cases) {
    ConfigSettings s;
    if (c.message != nullptr)
      s.beacons.beacons[0].message = c.message;
    s.beacons.beacons[0].block.toRf = s.beacons.beacons[0].block.toAprsIs = c.on;
    s.clock.uploadPcTime = c.uploadPcTime;
    EXPECT_EQ(BeaconNotes(s, c.minutesAhead), c.notes) << c.what;
  }
}

}  // namespace
}  // namespace vardex
