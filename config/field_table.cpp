#include "field_table.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>
#include <vector>

#include "special_rules.h"

namespace vardex {
namespace {

using Setter = SettingRef (*)(ConfigSettings&, int);

// Row makers, one per kind of field.
ImageField Field(std::string key, FieldKind kind, std::size_t offset, std::size_t width,
                 Setter setting) {
  ImageField field;
  field.key = std::move(key);
  field.kind = kind;
  field.offset = offset;
  field.width = width;
  field.setting = setting;
  return field;
}

ImageField Number(std::string key, std::size_t offset, std::size_t width, std::int64_t low,
                  std::int64_t high, std::string message, Setter setting,
                  RangeOf range = RangeOf::kStoredBits) {
  ImageField field = Field(std::move(key), FieldKind::kNumber, offset, width, setting);
  field.low = low;
  field.high = high;
  field.range = range;
  field.message = std::move(message);
  return field;
}

ImageField Text(std::string key, std::size_t offset, std::size_t width, Setter setting) {
  return Field(std::move(key), FieldKind::kText, offset, width, setting);
}

ImageField List(std::string key, std::size_t offset, int items, Setter setting) {
  ImageField field = Field(std::move(key), FieldKind::kListByte, offset, 1, setting);
  field.listItems = items;
  return field;
}

ImageField WithRule(ImageField field, FieldRule rule, std::string message, bool first = false) {
  field.rule = rule;
  field.ruleFirst = first;
  field.ruleMessage = std::move(message);
  return field;
}

// A repeated record: `count` copies of the same fields, `stride` bytes apart.
struct Record {
  std::string_view key;
  std::size_t base;
  std::size_t stride;
  int count;

  std::size_t Start(int record) const { return base + stride * static_cast<std::size_t>(record); }
  std::string Name(int record) const { return RecordKey(key, record + 1); }
  std::string Key(int record, std::string_view field) const {
    return RecordKey(key, record + 1, field);
  }
};

constexpr Record kPaths{"path", 1076, 12, static_cast<int>(kDigipeaterPathCount)};
constexpr Record kBeacons{"beacon", 340, 92, static_cast<int>(kBeaconCount)};
constexpr Record kServers{"aprsIs.server", 160, 36, 3};
constexpr Record kChannels{"channel", 1324, 45, 5};

// The four addresses of the Network page in the order they are checked; the
// device keeps them as address, gateway, mask, DNS.
struct AddressRow {
  std::string_view key;
  std::size_t offset;
  std::string_view message;
  OctetTexts NetworkSettings::*octets;
};
constexpr std::array<AddressRow, 4> kAddresses = {{
    {"network.address", 301, "IP Address - range error (0 - 255).", &NetworkSettings::address},
    {"network.mask", 309, "IP Mask - range error (0 - 255).", &NetworkSettings::mask},
    {"network.gateway", 305, "Gateway - range error (0 - 255).", &NetworkSettings::gateway},
    {"network.dns", 313, "DNS - range error (0 - 255).", &NetworkSettings::dns},
}};

// Bytes inside the checksummed span (and the one beyond it) that hold no
// field; each beacon's last byte is declared with the beacons.
constexpr std::array<ReservedBytes, 9> kReserved = {{
    {49, 3},
    {69, 3},
    {115, 1},
    {150, 2},
    {317, 3},
    {1287, 1},
    {1314, 2},
    {1549, 3},
    {ConfigImage::kChecksumEnd, ConfigImage::kSize - ConfigImage::kChecksumEnd},
}};

class TableBuilder {
 public:
  void Begin(ImageSection section) {
    section_ = section;
    sectionStart_[static_cast<std::size_t>(section)] = fields_.size();
  }
  void Add(ImageField field, int record = 0) {
    field.section = section_;
    field.record = record;
    fields_.push_back(std::move(field));
  }
  void BeginBlock(ReportBlockInstance instance) {
    blockStart_[static_cast<std::size_t>(instance)] = fields_.size();
  }
  std::vector<ImageField> fields_;
  std::array<std::size_t, kImageSectionCount + 1> sectionStart_{};
  std::array<std::size_t, kReportBlockLayouts.size()> blockStart_{};

 private:
  ImageSection section_ = ImageSection::kRadio;
};

void AddRadio(TableBuilder& t) {
  t.Add(
      WithRule(Field("radio.callsign", FieldKind::kCallsign, 4, 6,
                     [](ConfigSettings& s, int) { return SettingRef{.text = &s.radio.callsign}; }),
               CallsignGiven, "Callsign - too short (ex. NOCALL-4).", true));
  ImageField ssid = Field("radio.ssid", FieldKind::kSsidDigit, 10, 2,
                          [](ConfigSettings& s, int) { return SettingRef{.text = &s.radio.ssid}; });
  ssid.high = 15;
  ssid.message = "Callsign - SSID range error (0 - 15).";
  t.Add(std::move(ssid));
  t.Add(Number("radio.txDelay", 12, 4, 200, 1000, "Preamble len - range error (200 - 1000).",
               [](ConfigSettings& s, int) { return SettingRef{.text = &s.radio.txDelay}; }));
  t.Add(Number("radio.quietTime", 16, 4, 200, 3000, "Quiet time - range error (200 - 3000).",
               [](ConfigSettings& s, int) { return SettingRef{.text = &s.radio.quietTime}; }));
  t.Add(List("radio.pttType", 47, 2,
             [](ConfigSettings& s, int) { return SettingRef{.index = &s.radio.pttType}; }));
  t.Add(List("radio.busyDetect", 48, 2,
             [](ConfigSettings& s, int) { return SettingRef{.index = &s.radio.busyDetect}; }));
  t.Add(WithRule(Text("radio.latitude", 28, 9,
                      [](ConfigSettings& s, int) { return SettingRef{.text = &s.radio.latitude}; }),
                 LatitudePattern, "Latitude - syntax error (ex. 5221.60N).", true));
  t.Add(
      WithRule(Text("radio.longitude", 37, 10,
                    [](ConfigSettings& s, int) { return SettingRef{.text = &s.radio.longitude}; }),
               LongitudePattern, "Longitude - syntax error (ex. 01653.63E).", true));
}

DigipeaterPath& PathOf(ConfigSettings& s, int k) {
  return s.digipeater.paths[static_cast<std::size_t>(k)];
}

void AddDigipeater(TableBuilder& t) {
  t.Add(Field("digipeater.on", FieldKind::kSwitch32, 20, 4, [](ConfigSettings& s, int) {
    return SettingRef{.check = &s.digipeater.digipeaterOn};
  }));
  t.Add(Number(
      "digipeater.duplicateChecking", 24, 4, 15, 180, "Antiflood timeout - range error (15 - 180).",
      [](ConfigSettings& s, int) { return SettingRef{.text = &s.digipeater.duplicateChecking}; }));
  // Every path row is checked, active or not, named or not.
  for (int k = 0; k < kPaths.count; ++k) {
    const std::size_t at = kPaths.Start(k);
    const std::string bound = "Path(n-N) " + std::to_string(k + 1) + ", ";
    t.Add(Text(kPaths.Key(k, "name"), at, 8,
               [](ConfigSettings& s, int r) { return SettingRef{.text = &PathOf(s, r).name}; }),
          k);
    t.Add(Number(kPaths.Key(k, "lower"), at + 8, 1, 1, 7, bound + "n>= value range error (1 - 7).",
                 [](ConfigSettings& s, int r) { return SettingRef{.text = &PathOf(s, r).lower}; }),
          k);
    t.Add(Number(kPaths.Key(k, "higher"), at + 9, 1, 1, 7, bound + "n<= value range error (1 - 7).",
                 [](ConfigSettings& s, int r) { return SettingRef{.text = &PathOf(s, r).higher}; }),
          k);
    t.Add(
        List(kPaths.Key(k, "traceable"), at + 10, 2,
             [](ConfigSettings& s, int r) { return SettingRef{.index = &PathOf(s, r).traceable}; }),
        k);
    t.Add(Field(kPaths.Key(k, "active"), FieldKind::kCheckByte, at + 11, 1,
                [](ConfigSettings& s, int r) { return SettingRef{.check = &PathOf(s, r).active}; }),
          k);
  }
}

// One report block: N and n keep their low 8 bits (1 to 7, n >= N), the
// rates 32 bits (5 to 1440 taken as unsigned).
void AddReportBlock(TableBuilder& t, ReportBlockInstance instance) {
  const ReportBlockLayout& at = LayoutOf(instance);
  const std::string label(at.messageLabel);
  const std::string prefix = ReportBlockKey(instance) + ".";
  const int record = static_cast<int>(instance);
  t.BeginBlock(instance);
  t.Add(Field(prefix + "dest", FieldKind::kDestText, at.dest, kDestWidth,
              [](ConfigSettings& s, int r) {
                return SettingRef{.index = &ReportBlockOf(s, ReportBlockInstance(r)).dest};
              }),
        record);
  t.Add(Text(prefix + "path", at.path, kReportPathWidth,
             [](ConfigSettings& s, int r) {
               return SettingRef{.text = &ReportBlockOf(s, ReportBlockInstance(r)).path};
             }),
        record);
  t.Add(Number(prefix + "bign", at.bign, 1, 1, 7, label + " path, N value range error (1 - 7).",
               [](ConfigSettings& s, int r) {
                 return SettingRef{.text = &ReportBlockOf(s, ReportBlockInstance(r)).bign};
               }),
        record);
  ImageField smalln = WithRule(
      Number(prefix + "smalln", at.smalln, 1, 1, 7, label + " path, n value range error (1 - 7).",
             [](ConfigSettings& s, int r) {
               return SettingRef{.text = &ReportBlockOf(s, ReportBlockInstance(r)).smalln};
             }),
      PathOrder, label + " path, n should be >= N.");
  smalln.partner = at.bign;
  t.Add(std::move(smalln), record);
  t.Add(Number(prefix + "rateRf", at.txRateRf, 4, 5, 1440,
               label + " tx rate (RF) range error (5 - 1440).",
               [](ConfigSettings& s, int r) {
                 return SettingRef{.text = &ReportBlockOf(s, ReportBlockInstance(r)).txRateRf};
               }),
        record);
  t.Add(Number(prefix + "rateAprsIs", at.txRateAprsIs, 4, 5, 1440,
               label + " tx rate (APRSIS) range error (5 - 1440).",
               [](ConfigSettings& s, int r) {
                 return SettingRef{.text = &ReportBlockOf(s, ReportBlockInstance(r)).txRateAprsIs};
               }),
        record);
  t.Add(Field(prefix + "toRf", FieldKind::kCheckByte, at.toRf, 1,
              [](ConfigSettings& s, int r) {
                return SettingRef{.check = &ReportBlockOf(s, ReportBlockInstance(r)).toRf};
              }),
        record);
  t.Add(Field(prefix + "toAprsIs", FieldKind::kCheckByte, at.toAprsIs, 1,
              [](ConfigSettings& s, int r) {
                return SettingRef{.check = &ReportBlockOf(s, ReportBlockInstance(r)).toAprsIs};
              }),
        record);
}

// Beacon by beacon: its block, then its message, so a bad message of beacon 3
// is reported after beacon 3's block and before anything of beacon 4.
void AddBeacons(TableBuilder& t) {
  for (int k = 0; k < kBeacons.count; ++k) {
    AddReportBlock(t, ReportBlockInstance(k));
    // The message sits right after the IS rate; special strings are stored
    // as typed, the device replaces them.
    t.Add(
        WithRule(
            Text(kBeacons.Key(k, "message"), kBeacons.Start(k) + 24, kBeaconMessageLength + 1,
                 [](ConfigSettings& s, int r) {
                   return SettingRef{.text =
                                         &s.beacons.beacons[static_cast<std::size_t>(r)].message};
                 }),
            PrintableText, "Beacon " + std::to_string(k + 1) + " message - forbidden characters."),
        k);
  }
}

// Each octet's typed value is checked, so -1 fails although its low byte fits.
void AddNetwork(TableBuilder& t) {
  for (const AddressRow& row : kAddresses) {
    for (int i = 0; i < 4; ++i) {
      // The record number tells the address (0 to 3) and the octet apart.
      const int record = static_cast<int>(&row - kAddresses.data()) * 4 + i;
      t.Add(Number(
                std::string(row.key) + "[" + std::to_string(i + 1) + "]",
                row.offset + static_cast<std::size_t>(i), 1, 0, 255, std::string(row.message),
                [](ConfigSettings& s, int r) {
                  const AddressRow& address = kAddresses[static_cast<std::size_t>(r / 4)];
                  return SettingRef{
                      .text = &(s.network.*address.octets)[static_cast<std::size_t>(r % 4)]};
                },
                RangeOf::kTypedValue),
            record);
    }
  }
}

AprsIsServer& ServerOf(ConfigSettings& s, int k) {
  return s.aprsIs.servers[static_cast<std::size_t>(k)];
}

void AddAprsIs(TableBuilder& t) {
  for (int k = 0; k < kServers.count; ++k) {
    t.Add(Text(kServers.Key(k, "host"), kServers.Start(k), 32,
               [](ConfigSettings& s, int r) { return SettingRef{.text = &ServerOf(s, r).host}; }),
          k);
    // An empty port box is stored as 0: the device reads that as "no port".
    ImageField port = Number(
        kServers.Key(k, "port"), kServers.Start(k) + 32, 4, 0, 65535,
        "APRS-IS Server " + std::to_string(k + 1) + " Port - range error (0 - 65535).",
        [](ConfigSettings& s, int r) { return SettingRef{.text = &ServerOf(s, r).port}; },
        RangeOf::kTypedValue);
    port.emptyIsUnset = true;
    t.Add(std::move(port), k);
  }
  t.Add(Text("aprsIs.user", 116, 17,
             [](ConfigSettings& s, int) { return SettingRef{.text = &s.aprsIs.user}; }));
  t.Add(Text("aprsIs.password", 133, 17,
             [](ConfigSettings& s, int) { return SettingRef{.text = &s.aprsIs.password}; }));
  t.Add(Field("aprsIs.gateRfToAprsIs", FieldKind::kSwitch32, 152, 4, [](ConfigSettings& s, int) {
    return SettingRef{.check = &s.aprsIs.gateRfToAprsIs};
  }));
  t.Add(Field("aprsIs.gateAprsIsToRf", FieldKind::kSwitch32, 156, 4, [](ConfigSettings& s, int) {
    return SettingRef{.check = &s.aprsIs.gateAprsIsToRf};
  }));
}

void AddWeather(TableBuilder& t) {
  t.Add(List("weather.stationType", 52, static_cast<int>(kWeatherStationTypes.size()),
             [](ConfigSettings& s, int) { return SettingRef{.index = &s.weather.stationType}; }));
  AddReportBlock(t, ReportBlockInstance::kWeatherReport);
  t.Add(
      WithRule(Text("weather.comment", 80, kWeatherCommentLength + 1,
                    [](ConfigSettings& s, int) { return SettingRef{.text = &s.weather.comment}; }),
               PrintableText, "Weather report comment - forbidden characters."));
}

constexpr std::array<std::pair<std::string_view, std::string ClockSettings::*>, 5> kClockWords = {{
    {"clock.year", &ClockSettings::year},
    {"clock.month", &ClockSettings::month},
    {"clock.day", &ClockSettings::day},
    {"clock.hour", &ClockSettings::hour},
    {"clock.minute", &ClockSettings::minute},
}};

// The clock set values are taken as given (the device checks them); the
// window does not read them back, its clock follows the PC.
void AddClock(TableBuilder& t) {
  t.Add(Field("clock.uploadPcTime", FieldKind::kNotStored, 0, 0,
              [](ConfigSettings& s, int) { return SettingRef{.check = &s.clock.uploadPcTime}; }));
  for (int i = 0; i < static_cast<int>(kClockWords.size()); ++i) {
    const auto& [key, member] = kClockWords[static_cast<std::size_t>(i)];
    t.Add(Field(std::string(key), FieldKind::kClockWord, 320 + 4 * static_cast<std::size_t>(i), 4,
                [](ConfigSettings& s, int r) {
                  return SettingRef{
                      .text = &(s.clock.*kClockWords[static_cast<std::size_t>(r)].second)};
                }),
          i);
  }
  t.Add(Field("clock.useNtp", FieldKind::kCheckByte, 268, 1,
              [](ConfigSettings& s, int) { return SettingRef{.check = &s.clock.useNtp}; }));
  t.Add(Text("clock.ntpServer", 269, 32,
             [](ConfigSettings& s, int) { return SettingRef{.text = &s.clock.ntpServer}; }));
}

ServiceAccess& ServiceOf(ConfigSettings& s, int k) {
  return k == 0 ? s.access.www : s.access.telnet;
}

// User, password (each cut to 12 characters) and port; the web service also
// gets its login token between its password and its port. A negative port is
// refused rather than stored as its low 16 bits.
void AddService(TableBuilder& t, int service, std::string_view key, std::size_t at,
                std::size_t port, std::string_view portMessage) {
  const std::string prefix = std::string(key) + ".";
  t.Add(Text(prefix + "user", at, 13,
             [](ConfigSettings& s, int r) { return SettingRef{.text = &ServiceOf(s, r).user}; }),
        service);
  t.Add(
      Text(prefix + "password", at + 13, 13,
           [](ConfigSettings& s, int r) { return SettingRef{.text = &ServiceOf(s, r).password}; }),
      service);
  if (service == 0)
    t.Add(Field(prefix + "token", FieldKind::kBase64Token, 1198, 40, nullptr));
  t.Add(Number(
            prefix + "port", port, 2, 0, 65535, std::string(portMessage),
            [](ConfigSettings& s, int r) { return SettingRef{.text = &ServiceOf(s, r).port}; },
            RangeOf::kTypedValue),
        service);
}

void AddAccess(TableBuilder& t) {
  AddService(t, 0, "www", 1172, 1238, "WWW port - range error (0 - 65535).");
  AddService(t, 1, "telnet", 1240, 1266, "Telnet port - range error (0 - 65535).");
}

TelemetryChannel& ChannelOf(ConfigSettings& s, int k) {
  return s.telemetry.channels[static_cast<std::size_t>(k)];
}

// Nothing of the channels is checked: coefficients are stored as typed.
void AddTelemetry(TableBuilder& t) {
  t.Add(List("telemetry.module", 1268, 2, [](ConfigSettings& s, int) {
    return SettingRef{.index = &s.telemetry.moduleSupport};
  }));
  const int sources = static_cast<int>(kTelemetrySourceItems.size());
  for (int k = 0; k < kChannels.count; ++k) {
    const std::size_t at = kChannels.Start(k);
    t.Add(
        List(kChannels.Key(k, "source"), at, sources,
             [](ConfigSettings& s, int r) { return SettingRef{.index = &ChannelOf(s, r).source}; }),
        k);
    t.Add(Text(kChannels.Key(k, "name"), at + 1, 8,
               [](ConfigSettings& s, int r) { return SettingRef{.text = &ChannelOf(s, r).name}; }),
          k);
    t.Add(Text(kChannels.Key(k, "units"), at + 9, 8,
               [](ConfigSettings& s, int r) { return SettingRef{.text = &ChannelOf(s, r).units}; }),
          k);
    t.Add(
        Text(kChannels.Key(k, "coeffA"), at + 17, 9,
             [](ConfigSettings& s, int r) { return SettingRef{.text = &ChannelOf(s, r).coeffA}; }),
        k);
    t.Add(
        Text(kChannels.Key(k, "coeffB"), at + 26, 9,
             [](ConfigSettings& s, int r) { return SettingRef{.text = &ChannelOf(s, r).coeffB}; }),
        k);
    t.Add(
        Text(kChannels.Key(k, "coeffC"), at + 35, 9,
             [](ConfigSettings& s, int r) { return SettingRef{.text = &ChannelOf(s, r).coeffC}; }),
        k);
    t.Add(List(kChannels.Key(k, "average"), at + 44, 2,
               [](ConfigSettings& s, int r) {
                 return SettingRef{.index = &ChannelOf(s, r).average};
               }),
          k);
  }
}

struct Table {
  std::vector<ImageField> fields;
  std::array<std::size_t, kImageSectionCount + 1> sectionStart{};
  std::array<std::size_t, kReportBlockLayouts.size()> blockStart{};
  std::map<std::string, std::size_t, std::less<>> byKey;
  std::array<std::int16_t, ConfigImage::kSize> byOffset{};  // field index, -1 for none
};

Table BuildTable() {
  TableBuilder t;
  using S = ImageSection;
  t.Begin(S::kRadio);
  AddRadio(t);
  t.Begin(S::kDigipeater);
  AddDigipeater(t);
  t.Begin(S::kBeacons);
  AddBeacons(t);
  t.Begin(S::kNetwork);
  AddNetwork(t);
  t.Begin(S::kAprsIs);
  AddAprsIs(t);
  t.Begin(S::kWeather);
  AddWeather(t);
  t.Begin(S::kClock);
  AddClock(t);
  t.Begin(S::kAccess);
  AddAccess(t);
  t.Begin(S::kTelemetry);
  AddTelemetry(t);
  t.Begin(S::kTelemetryData);
  AddReportBlock(t, ReportBlockInstance::kTelemetryData);
  t.Begin(S::kTelemetryParameters);
  AddReportBlock(t, ReportBlockInstance::kTelemetryParameters);

  Table table;
  table.fields = std::move(t.fields_);
  table.sectionStart = t.sectionStart_;
  table.blockStart = t.blockStart_;
  table.sectionStart[kImageSectionCount] = table.fields.size();
  table.byOffset.fill(-1);
  for (std::size_t i = 0; i < table.fields.size(); ++i) {
    const ImageField& field = table.fields[i];
    table.byKey.emplace(field.key, i);
    for (std::size_t b = field.offset; b < field.offset + field.width; ++b)
      table.byOffset[b] = static_cast<std::int16_t>(i);
  }
  return table;
}

const Table& TheTable() {
  static const Table table = BuildTable();
  return table;
}

}  // namespace

bool IsZeroTerminated(FieldKind kind) {
  return kind == FieldKind::kText || kind == FieldKind::kSsidDigit ||
         kind == FieldKind::kDestText || kind == FieldKind::kBase64Token;
}

std::string RecordKey(std::string_view record, int number, std::string_view field) {
  std::string key = std::string(record) + "[" + std::to_string(number) + "]";
  if (!field.empty())
    key.append(".").append(field);
  return key;
}

std::string ReportBlockKey(ReportBlockInstance instance) {
  switch (instance) {
    case ReportBlockInstance::kWeatherReport:
      return "weather.report";
    case ReportBlockInstance::kTelemetryData:
      return "telemetryData";
    case ReportBlockInstance::kTelemetryParameters:
      return "telemetryParameters";
    default:
      return kBeacons.Name(static_cast<int>(instance));
  }
}

ReportBlockSettings& ReportBlockOf(ConfigSettings& settings, ReportBlockInstance instance) {
  switch (instance) {
    case ReportBlockInstance::kWeatherReport:
      return settings.weather.report;
    case ReportBlockInstance::kTelemetryData:
      return settings.telemetryData;
    case ReportBlockInstance::kTelemetryParameters:
      return settings.telemetryParameters;
    default:
      return settings.beacons.beacons[static_cast<std::size_t>(instance)].block;
  }
}

// Encoding only reads the settings; one accessor serves both ways.
ImageField::View ImageField::Read(const ConfigSettings& settings) const {
  const SettingRef ref = Setting(const_cast<ConfigSettings&>(settings));
  return {ref.text, ref.index, ref.check};
}

std::span<const ImageField> ImageFields() {
  return TheTable().fields;
}

std::span<const ImageField> SectionFields(ImageSection section) {
  const Table& table = TheTable();
  const auto k = static_cast<std::size_t>(section);
  return std::span(table.fields)
      .subspan(table.sectionStart[k], table.sectionStart[k + 1] - table.sectionStart[k]);
}

std::span<const ImageField> ReportBlockFields(ReportBlockInstance instance) {
  const Table& table = TheTable();
  return std::span(table.fields).subspan(table.blockStart[static_cast<std::size_t>(instance)], 8);
}

const ImageField* FindField(std::string_view key) {
  const Table& table = TheTable();
  const auto found = table.byKey.find(key);
  return found == table.byKey.end() ? nullptr : &table.fields[found->second];
}

const ImageField* FieldAtOffset(std::size_t offset) {
  const Table& table = TheTable();
  if (offset >= table.byOffset.size() || table.byOffset[offset] < 0)
    return nullptr;
  return &table.fields[static_cast<std::size_t>(table.byOffset[offset])];
}

std::span<const ReservedBytes> ReservedImageBytes() {
  static const std::vector<ReservedBytes> reserved = [] {
    std::vector<ReservedBytes> all(kReserved.begin(), kReserved.end());
    for (int k = 0; k < kBeacons.count; ++k) all.push_back({kBeacons.Start(k) + 91, 1});
    std::sort(all.begin(), all.end(),
              [](const ReservedBytes& a, const ReservedBytes& b) { return a.offset < b.offset; });
    return all;
  }();
  return reserved;
}

}  // namespace vardex
