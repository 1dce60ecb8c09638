#include "page_tables.h"

#include <array>
#include <cstddef>
#include <string>
#include <utility>

#include "field_table.h"
#include "report_block_table.h"

namespace vardex {
namespace {

// Row makers: what every row of a kind has, in the order the tables read.
ControlRow Edit(std::string name, std::string label, int maxLength, int width, std::string hint,
                std::string key, int instance = 0) {
  return {.objectName = std::move(name),
          .label = std::move(label),
          .kind = ControlKind::kEdit,
          .maxLength = maxLength,
          .width = width,
          .hint = std::move(hint),
          .key = std::move(key),
          .instance = instance};
}

ControlRow List(std::string name, std::string label, std::vector<std::string_view> items,
                std::string hint, std::string key, int instance = 0) {
  return {.objectName = std::move(name),
          .label = std::move(label),
          .kind = ControlKind::kList,
          .hint = std::move(hint),
          .items = std::move(items),
          .key = std::move(key),
          .instance = instance};
}

ControlRow Check(std::string name, std::string label, std::string_view caption, std::string hint,
                 std::string key, int instance = 0) {
  return {.objectName = std::move(name),
          .label = std::move(label),
          .kind = ControlKind::kCheck,
          .hint = std::move(hint),
          .caption = caption,
          .key = std::move(key),
          .instance = instance};
}

std::string Numbered(std::string_view words, int number) {
  return std::string(words) + " " + std::to_string(number);
}

std::vector<ControlRow> RadioRows() {
  return {
      Edit("Edit1", "Callsign", 6, 64, "Stations callsign.", "radio.callsign"),
      Edit("Edit44", "SSID", 2, 32, "Stations SSID", "radio.ssid"),
      Edit("Edit2", "TX delay [ms]", 4, 56,
           "Time between PTT on and packet start (preamble length).", "radio.txDelay"),
      Edit("Edit3", "Quiet time [ms]", 4, 56,
           "Delay between last received  packet and packet send.", "radio.quietTime"),
      List("ComboBox19", "PTT", {"separate output", "2k2 resistor"}, "PTT output type.",
           "radio.pttType"),
      List("ComboBox20", "Channel busy detect", {"analog signal level", "digital detect"},
           "Channel busy detection method. For open quelch operation use only digital detect.",
           "radio.busyDetect"),
      Edit("Edit4", "Latitude", 8, 96, "Stations latitude.", "radio.latitude"),
      Edit("Edit5", "Longitude", 9, 96, "Stations longitude.", "radio.longitude"),
  };
}

std::vector<ControlRow> DigipeaterRows() {
  std::vector<ControlRow> rows = {
      Check("CheckBox1", "Digipeater on", "Digipeater on",
            "Enables or disables a function of RF packets digipeating.", "digipeater.on"),
      Edit("Edit8", "Duplicate checking [s]", 3, 0,
           "Time for which a received packet is stored for duplicate checking. Duplicate packets "
           "are discarded and are not digipeated.",
           "digipeater.duplicateChecking"),
  };
  for (int i = 0; i < static_cast<int>(kDigipeaterPathCount); ++i) {
    const std::string name = "Pathn" + std::to_string(i + 1) + "_";
    const std::string row = Numbered("Row", i + 1) + " ";
    rows.push_back(Edit(name + "name", row + "Path (n-N)", 5, 0,
                        "New-N path for digipeated packets. Example: setting path to WIDE and "
                        "N>=1, N<=2 will make the device digipeat packets with WIDE2-2 or WIDE2-1 "
                        "or WIDE1-1 in path.",
                        RecordKey("path", i + 1, "name"), i));
    rows.push_back(
        Edit(name + "lower", row + "N >=", 1, 0, "", RecordKey("path", i + 1, "lower"), i));
    rows.push_back(
        Edit(name + "higher", row + "N <=", 1, 0, "", RecordKey("path", i + 1, "higher"), i));
    rows.push_back(List(name + "traceable", row + "traceable", {"No", "Yes"},
                        "If selected, the device will add its callsign to path of digipeated "
                        "packets.",
                        RecordKey("path", i + 1, "traceable"), i));
    rows.push_back(
        Check(name + "active", row + "active", "", "", RecordKey("path", i + 1, "active"), i));
  }
  return rows;
}

std::vector<ControlRow> BeaconRows() {
  std::vector<ControlRow> rows;
  for (int i = 0; i < static_cast<int>(kBeaconCount); ++i) {
    const std::string row = Numbered("Beacon", i + 1);
    AppendReportBlockRows(rows, static_cast<ReportBlockInstance>(i), row);
    rows.push_back(Edit("Beacon" + std::to_string(i + 1) + "_msg", row + " Message",
                        static_cast<int>(kBeaconMessageLength), 0,
                        "Beacon message. Please check \"Special strings\".",
                        RecordKey("beacon", i + 1, "message"), i));
  }
  return rows;
}

struct AddressRow {
  std::string_view label;
  std::string_view key;
  std::array<std::string_view, 4> boxes;  // leftmost octet first
  std::string_view hint;
};

// In the order the rows stand on the page, and in NetworkSettings order.
constexpr std::array<AddressRow, 4> kAddressRows = {{
    {"IP Address",
     "network.address",
     {"Edit9", "Edit10", "Edit11", "Edit12"},
     "Device IP address."},
    {"IP Mask", "network.mask", {"Edit13", "Edit15", "Edit17", "Edit19"}, "Device network mask"},
    {"Gateway",
     "network.gateway",
     {"Edit14", "Edit16", "Edit18", "Edit20"},
     "Your network gateway/router IP."},
    {"DNS",
     "network.dns",
     {"Edit24", "Edit25", "Edit26", "Edit27"},
     "Domain name server IP. This should be your ISP's DNS server IP. Also most home routers are "
     "able to relay DNS queries."},
}};

std::vector<ControlRow> NetworkRows() {
  std::vector<ControlRow> rows;
  for (int r = 0; r < static_cast<int>(kAddressRows.size()); ++r) {
    const AddressRow& address = kAddressRows[static_cast<std::size_t>(r)];
    for (int i = 0; i < 4; ++i) {
      rows.push_back(Edit(std::string(address.boxes[static_cast<std::size_t>(i)]),
                          Numbered(std::string(address.label) + " octet", i + 1), 3, 40,
                          std::string(address.hint), RecordKey(address.key, i + 1), r * 4 + i));
    }
  }
  return rows;
}

std::vector<ControlRow> AprsIsRows() {
  constexpr std::array<std::array<std::string_view, 2>, 3> kServers = {{
      {"Edit21", "Edit33"},
      {"Edit22", "Edit34"},
      {"Edit23", "Edit35"},
  }};
  std::vector<ControlRow> rows;
  for (int i = 0; i < static_cast<int>(kServers.size()); ++i) {
    const auto& [host, port] = kServers[static_cast<std::size_t>(i)];
    const std::string server = Numbered("Server", i + 1);
    rows.push_back(Edit(std::string(host), server, 31, 220,
                        "APRS-IS server domain name or IP address.",
                        RecordKey("aprsIs.server", i + 1, "host"), i));
    rows.push_back(Edit(std::string(port), server + " Port", 5, 56, "APRS-IS server port.",
                        RecordKey("aprsIs.server", i + 1, "port"), i));
  }
  rows.push_back(Edit("Edit38", "Username", 16, 130,
                      "Your login to APRS-IS network. Usually your callsign.", "aprsIs.user"));
  rows.push_back(Edit("Edit39", "Password", 16, 130,
                      "You login to APRS-IS network. If you don't know it, you should ask your "
                      "local APRS-IS administrator.",
                      "aprsIs.password"));
  rows.push_back(Check("CheckBox2", "Gate RF traffic to APRS-IS", "Gate RF traffic to APRS-IS",
                       "If selected, the device will forward packets from RF to APRS-IS.",
                       "aprsIs.gateRfToAprsIs"));
  rows.push_back(Check("CheckBox5", "Gate msg from APRS-IS to RF", "Gate msg from APRS-IS to RF",
                       "If selected, the device will forward messages from APRS-IS to RF.",
                       "aprsIs.gateAprsIsToRf"));
  return rows;
}

std::vector<ControlRow> WeatherRows() {
  std::vector<ControlRow> rows = {
      List("Weather_stationtype", "Weather station",
           std::vector<std::string_view>(kWeatherStationTypes.begin(), kWeatherStationTypes.end()),
           "Weather station selection box.", "weather.stationType"),
  };
  AppendReportBlockRows(rows, ReportBlockInstance::kWeatherReport, "Weather report");
  rows.push_back(Edit("Weather_comment", "Comment", static_cast<int>(kWeatherCommentLength), 0,
                      "weather report comment.", "weather.comment"));
  return rows;
}

std::vector<ControlRow> ClockRows() {
  return {
      Check("CheckBox21", "Upload PC system time on config write",
            "Upload PC system time on config write",
            "If selected, the application will send current PC time on config save.",
            "clock.uploadPcTime"),
      Edit("Edit36", "Year", 4, 48, "", "clock.year"),
      Edit("Edit40", "Month", 2, 32, "", "clock.month"),
      Edit("Edit41", "Day", 2, 32, "", "clock.day"),
      Edit("Edit42", "Hour", 2, 32, "", "clock.hour"),
      Edit("Edit43", "Minute", 2, 32, "", "clock.minute"),
      Check("CheckBox14", "Use NTP server", "Use NTP server",
            "If selected, the device will synchronize time with network time protocol server.",
            "clock.useNtp"),
      Edit("Edit28", "NTP server", 31, 220,
           "Network time protocol server IP for time synchronization.", "clock.ntpServer"),
  };
}

// The two access pages differ in their words and in the service they set.
std::vector<ControlRow> AccessRows(std::string_view prefix, std::string_view words,
                                   std::string_view service, int instance) {
  const std::string name(prefix);
  // "www_" carries the fields "www.user", "www.password" and "www.port".
  const std::string key = name.substr(0, name.size() - 1) + ".";
  const std::string label(words);
  const std::string what = std::string(service) + " administration ";
  return {
      Edit(name + "user", label + " user", 12, 110, what + "user name.", key + "user", instance),
      Edit(name + "password", label + " password", 12, 110, what + "password.", key + "password",
           instance),
      Edit(name + "port", label + " port", 4, 48, what + "port number.", key + "port", instance),
  };
}

struct ChannelNames {
  std::string_view source;
  std::string_view name;
  std::string_view units;
  std::array<std::string_view, 3> coefficients;  // A, B, C
  std::string_view average;
  int textLength;  // name and units
};

constexpr std::array<ChannelNames, 5> kChannels = {{
    {"ComboBox21", "Edit61", "Edit62", {"Edit63", "Edit64", "Edit65"}, "ComboBox29", 7},
    {"ComboBox22", "Edit66", "Edit67", {"Edit68", "Edit69", "Edit70"}, "ComboBox30", 7},
    {"ComboBox23", "Edit71", "Edit72", {"Edit73", "Edit74", "Edit75"}, "ComboBox31", 6},
    {"ComboBox24", "Edit78", "Edit79", {"Edit80", "Edit81", "Edit82"}, "ComboBox32", 6},
    {"ComboBox25", "Edit86", "Edit87", {"Edit88", "Edit89", "Edit90"}, "ComboBox33", 5},
}};

std::vector<ControlRow> TelemetryRows() {
  std::vector<ControlRow> rows = {
      List("ComboBox26", "Telemetry module", {"Disabled", "Enabled"},
           "Enables or dissables telemetry module support.", "telemetry.module"),
  };
  const std::vector<std::string_view> sources(kTelemetrySourceItems.begin(),
                                              kTelemetrySourceItems.end());
  constexpr std::array<std::string_view, 3> kLetters = {"A", "B", "C"};
  for (int i = 0; i < static_cast<int>(kChannels.size()); ++i) {
    const ChannelNames& c = kChannels[static_cast<std::size_t>(i)];
    const std::string row = Numbered("Analog", i + 1) + " ";
    const std::string analog = Numbered("Analog channel", i + 1);
    rows.push_back(List(std::string(c.source), row + "Source", sources,
                        analog + " measurement source in telemetry module.",
                        RecordKey("channel", i + 1, "source"), i));
    rows.push_back(Edit(std::string(c.name), row + "Name", c.textLength, 56,
                        analog + " report name.", RecordKey("channel", i + 1, "name"), i));
    rows.push_back(Edit(std::string(c.units), row + "Units", c.textLength, 56,
                        analog + " report units.", RecordKey("channel", i + 1, "units"), i));
    rows.push_back(List(std::string(c.average), row + "1 min average", {"Off", "On"},
                        "If selected, the device will calculate 1 minute average of measured "
                        "samples.",
                        RecordKey("channel", i + 1, "average"), i));
    for (std::size_t j = 0; j < kLetters.size(); ++j) {
      std::string label = row;
      label.append("Coeff ").append(kLetters[j]);
      std::string hint = analog;
      hint.append(" telemetry calculation coefficient ")
          .append(kLetters[j])
          .append(". Equation: A*x*x+B*x+C (where x is the measurement sample).");
      rows.push_back(Edit(std::string(c.coefficients[j]), std::move(label), 8, 64, std::move(hint),
                          RecordKey("channel", i + 1, std::string("coeff").append(kLetters[j])),
                          i));
    }
  }
  // The parameters row stands above the data row.
  AppendReportBlockRows(rows, ReportBlockInstance::kTelemetryParameters, "Telemetry parameters");
  AppendReportBlockRows(rows, ReportBlockInstance::kTelemetryData, "Telemetry data");
  return rows;
}

// Each channel's "Default parameters" button. The column headings serve all
// five rows: its label says which row it is on.
std::vector<ButtonRow> TelemetryButtons() {
  std::vector<ButtonRow> buttons;
  for (int channel = 1; channel <= static_cast<int>(kChannels.size()); ++channel) {
    buttons.push_back({.objectName = "Button" + std::to_string(channel + 5),
                       .caption = "Default parameters",
                       .hint = "Default parameters for telemetry module.",
                       .label = "Default parameters: " + Numbered("Analog", channel) + ":",
                       .action = PageAction::kChannelDefaults,
                       .instance = channel});
  }
  return buttons;
}

// Every row carries the field its key names.
void ResolveFields(std::vector<PageTable>& pages) {
  for (PageTable& page : pages) {
    for (ControlRow& row : page.controls) row.field = FindField(row.key);
  }
}

std::vector<PageTable> MakePageTables() {
  std::vector<PageTable> pages;
  pages.push_back({"TabSheet1", "Radio", RadioRows()});
  pages.push_back({"TabSheet6", "Digipeater", DigipeaterRows()});
  pages.push_back({"TabSheet2",
                   "Beacons",
                   BeaconRows(),
                   {{.objectName = "Button11",
                     .caption = "Special strings",
                     .action = PageAction::kSpecialStrings}}});
  pages.push_back({"TabSheet9", "Network", NetworkRows()});
  pages.push_back({"TabSheet3", "APRS-IS", AprsIsRows()});
  pages.push_back({"TabSheet4", "Weather", WeatherRows()});
  pages.push_back({"TabSheet5", "RTC/NTP time", ClockRows()});
  pages.push_back({"TabSheet7", "WWW access", AccessRows("www_", "WWW", "Web", 0)});
  pages.push_back({"TabSheet10", "Telnet access", AccessRows("telnet_", "Telnet", "Telnet", 1)});
  pages.push_back({"TabSheet8", "Telemetry module", TelemetryRows(), TelemetryButtons()});
  ResolveFields(pages);
  return pages;
}

}  // namespace

const std::vector<PageTable>& PageTables() {
  static const std::vector<PageTable> kTables = MakePageTables();
  return kTables;
}

FieldPlace PlaceOf(const ImageField& field) {
  for (const PageTable& page : PageTables()) {
    for (const ControlRow& control : page.controls) {
      if (control.field == &field)
        return {&page, &control};
    }
  }
  return {};
}

}  // namespace vardex
