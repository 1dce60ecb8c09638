#include "beacon_packet.h"

namespace vardex {
namespace {

// The message as sent, and for each character sent where it stands in the
// message (npos inside what a special string became).
struct Filled {
  std::string text;
  std::vector<std::size_t> from;
};

Filled Fill(const std::string& message, const RadioSettings& radio, const std::string& date) {
  const std::pair<std::string_view, const std::string*> specials[] = {
      {"<date>", &date}, {"<lat>", &radio.latitude}, {"<long>", &radio.longitude}};
  Filled filled;
  for (std::size_t i = 0; i < message.size();) {
    bool replaced = false;
    for (const auto& [name, value] : specials) {
      if (message.compare(i, name.size(), name) == 0) {
        filled.text += *value;
        filled.from.resize(filled.text.size(), std::string::npos);
        i += name.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) {
      filled.text += message[i];
      filled.from.push_back(i++);
    }
  }
  return filled;
}

std::string TwoDigits(int value) {
  char digits[3] = {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10),
                    '\0'};
  return digits;
}

}  // namespace

std::string StationAddress(const RadioSettings& radio) {
  const std::size_t end = radio.callsign.find_last_not_of(' ');
  std::string address = radio.callsign.substr(0, end == std::string::npos ? 0 : end + 1);
  if (radio.ssid != "0" && !radio.ssid.empty())
    address += "-" + radio.ssid;
  return address;
}

std::string DestinationAddress(int dest) {
  if (dest < 0 || static_cast<std::size_t>(dest) >= kDestinationList.size())
    return {};
  const std::string_view entry = kDestinationList[static_cast<std::size_t>(dest)];
  std::string address(entry.substr(0, entry.size() - 1));
  if (entry.back() != '0')
    address += std::string("-") + entry.back();
  return address;
}

std::string ReportPath(const ReportBlockSettings& block) {
  if (block.path.empty())
    return {};
  return block.path + block.smalln + "-" + block.bign;
}

std::string FillSpecialStrings(const std::string& message, const RadioSettings& radio,
                               const std::tm& utc) {
  return Fill(message, radio,
              TwoDigits(utc.tm_mday) + TwoDigits(utc.tm_hour) + TwoDigits(utc.tm_min))
      .text;
}

std::optional<std::string> PutSymbol(const std::string& message, const RadioSettings& radio,
                                     AprsSymbol symbol) {
  // Any valid time does: the date moves no character.
  const Filled filled = Fill(message, radio, "010000");
  const AprsReading reading = ReadAprsInformation(filled.text);
  if (reading.symbolTableAt >= filled.from.size() || reading.symbolCodeAt >= filled.from.size())
    return std::nullopt;
  const std::size_t tableAt = filled.from[reading.symbolTableAt];
  const std::size_t codeAt = filled.from[reading.symbolCodeAt];
  if (tableAt == std::string::npos || codeAt == std::string::npos)
    return std::nullopt;
  char table = symbol.table;
  // A compressed position writes the overlays 0-9 as a-j.
  if (reading.compressed && table >= '0' && table <= '9')
    table = static_cast<char>(table - '0' + 'a');
  std::string put = message;
  put[tableAt] = table;
  put[codeAt] = symbol.code;
  return put;
}

std::optional<BeaconOnAir> BeaconOnAirOf(const ConfigSettings& settings, int number,
                                         const std::tm& utc) {
  if (number < 1 || number > static_cast<int>(kBeaconCount))
    return std::nullopt;
  const Beacon& beacon = settings.beacons.beacons[static_cast<std::size_t>(number - 1)];
  if (beacon.message.empty() || !(beacon.block.toRf || beacon.block.toAprsIs))
    return std::nullopt;
  BeaconOnAir on;
  on.number = number;
  on.toRf = beacon.block.toRf;
  on.toAprsIs = beacon.block.toAprsIs;
  on.header = StationAddress(settings.radio) + ">" + DestinationAddress(beacon.block.dest);
  const std::string path = ReportPath(beacon.block);
  if (!path.empty())
    on.header += "," + path;
  on.information = FillSpecialStrings(beacon.message, settings.radio, utc);
  on.reading = ReadAprsInformation(on.information);
  return on;
}

std::vector<BeaconOnAir> BeaconsOnAir(const ConfigSettings& settings, const std::tm& utc) {
  std::vector<BeaconOnAir> beacons;
  for (int number = 1; number <= static_cast<int>(kBeaconCount); ++number) {
    if (std::optional<BeaconOnAir> on = BeaconOnAirOf(settings, number, utc))
      beacons.push_back(std::move(*on));
  }
  return beacons;
}

}  // namespace vardex
