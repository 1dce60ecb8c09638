#include "beacon_check.h"

#include <cstdlib>

#include "beacon_packet.h"
#include "field_table.h"

namespace vardex {
namespace {

constexpr std::string_view kSourceReference =
    "APRS Protocol Reference 1.0.1 (TAPR, 2000) and its addenda: data types, position, "
    "symbol and time stamp formats, comment lengths";
constexpr std::string_view kSourceTimeStamp =
    "APRS Protocol Reference 1.0.1, time formats: z marks UTC and is the one to send; local "
    "time (/) cannot be placed by receivers";

std::string TwoDigits(int value) {
  return std::string(1, static_cast<char>('0' + value / 10 % 10)) +
         static_cast<char>('0' + value % 10);
}

std::string Duration(int minutes) {
  const int hours = minutes / 60;
  const int rest = minutes % 60;
  std::string text;
  if (hours > 0)
    text = std::to_string(hours) + (hours == 1 ? " hour" : " hours");
  if (rest > 0)
    text += (text.empty() ? "" : " ") + std::to_string(rest) + " minutes";
  return text;
}

void NoteReading(const BeaconOnAir& beacon, const std::string& key,
                 std::vector<StationFinding>& findings) {
  const AprsReading& reading = beacon.reading;
  if (reading.verdict == AprsVerdict::kRead)
    return;
  const bool refused = reading.verdict == AprsVerdict::kRefused;
  std::string onAir = "Beacon " + std::to_string(beacon.number) + " goes out as " +
                      beacon.Packet() + " and " + reading.problem + ": ";
  onAir += refused ? "APRS readers drop it, so it shows on no map and in no list."
                   : "it is read as " + KindText(reading) + ", but not everywhere as meant.";
  findings.push_back(
      {key, std::move(onAir), "Type " + reading.instead + ".", std::string(kSourceReference)});
}

void NoteTimeStamp(const ConfigSettings& settings, int number, const std::string& message,
                   const PcClock& clock, const std::string& key,
                   std::vector<StationFinding>& findings) {
  const std::string beacon = "Beacon " + std::to_string(number);
  if (message.find("<date>h") != std::string::npos) {
    findings.push_back(
        {key,
         beacon + " sends <date>h: <date> is day, hour and minute (DDHHMM), h marks hours, "
                  "minutes and seconds, so readers take the day for the hour.",
         "Type <date>z.", std::string(kSourceTimeStamp)});
    return;
  }
  if (message.find("<date>z") == std::string::npos || clock.minutesAheadOfUtc == 0 ||
      !settings.clock.uploadPcTime)
    return;
  const int off = std::abs(clock.minutesAheadOfUtc);
  findings.push_back(
      {key,
       beacon +
           " stamps its time with <date>z, and z says UTC; but each write sets the "
           "device's clock to this PC's local time (" +
           UtcOffsetText(clock.minutesAheadOfUtc) +
           "), so until an NTP server puts it on UTC the beacon claims a time " + Duration(off) +
           (clock.minutesAheadOfUtc > 0 ? " later" : " earlier") + " than it was sent.",
       "Leave the time out: = in place of @<date>z (=<lat>/<long>- ...); a fixed station's "
       "position needs no time, the network notes when it hears it. Or clear \"Upload PC "
       "system time on config write\" and type the time in UTC.",
       std::string(kSourceTimeStamp)});
}

}  // namespace

std::string UtcOffsetText(int minutesAhead) {
  const int off = std::abs(minutesAhead);
  return std::string("UTC") + (minutesAhead < 0 ? "-" : "+") + TwoDigits(off / 60) + ":" +
         TwoDigits(off % 60);
}

void CheckBeaconMessage(const ConfigSettings& settings, int number, const PcClock& clock,
                        std::vector<StationFinding>& findings) {
  const std::optional<BeaconOnAir> beacon = BeaconOnAirOf(settings, number, clock.utc);
  if (!beacon)
    return;
  const std::string key = RecordKey("beacon", number, "message");
  NoteReading(*beacon, key, findings);
  const std::string& message =
      settings.beacons.beacons[static_cast<std::size_t>(number - 1)].message;
  NoteTimeStamp(settings, number, message, clock, key, findings);
}

std::vector<StationFinding> BeaconNotes(const ConfigSettings& settings, int number,
                                        const PcClock& clock) {
  std::vector<StationFinding> notes;
  CheckBeaconMessage(settings, number, clock, notes);
  return notes;
}

}  // namespace vardex
