#include "beacon_packet.h"


namespace vardex {
namespace {

void ReplaceAll(std::string& text, std::string_view what, const std::string& with) {
  for (std::size_t at = text.find(what); at != std::string::npos;
       at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
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
  std::string filled = message;
  ReplaceAll(filled, "<date>",
             TwoDigits(utc.tm_mday) + TwoDigits(utc.tm_hour) + TwoDigits(utc.tm_min));
  ReplaceAll(filled, "<lat>", radio.latitude);
  ReplaceAll(filled, "<long>", radio.longitude);
  return filled;
}

std::vector<BeaconOnAir> BeaconsOnAir(const ConfigSettings& settings, const std::tm& utc) {
  std::vector<BeaconOnAir> beacons;
  for (std::size_t k = 0; k < kBeaconCount; ++k) {
    const Beacon& beacon = settings.beacons.beacons[k];
    if (beacon.message.empty() || !(beacon.block.toRf || beacon.block.toAprsIs))
      continue;
    BeaconOnAir on;
    on.number = static_cast<int>(k) + 1;
    on.toRf = beacon.block.toRf;
    on.toAprsIs = beacon.block.toAprsIs;
    on.header = StationAddress(settings.radio) + ">" + DestinationAddress(beacon.block.dest);
    const std::string path = ReportPath(beacon.block);
    if (!path.empty())
      on.header += "," + path;
    on.information = FillSpecialStrings(beacon.message, settings.radio, utc);
    on.reading = ReadAprsInformation(on.information);
    beacons.push_back(std::move(on));
  }
  return beacons;
}

}  // namespace vardex
