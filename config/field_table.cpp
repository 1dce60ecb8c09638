#include "field_table.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>
#include <vector>

#include "rule_functions.h"

namespace vardex {
namespace {

using Setter = SettingRef (*)(ConfigSettings&, int);

SettingRef Ref(std::string& text) {
  return {.text = &text};
}
SettingRef Ref(int& index) {
  return {.index = &index};
}
SettingRef Ref(bool& check) {
  return {.check = &check};
}

// A setting of a section: `settings.*Section.*Member`.
template <auto Section, auto Member>
SettingRef Of(ConfigSettings& settings, int) {
  return Ref((settings.*Section).*Member);
}

// A setting of record `record` of a repeated record that `RecordOf` finds.
template <auto RecordOf, auto Member>
SettingRef OfRecord(ConfigSettings& settings, int record) {
  return Ref(RecordOf(settings, record).*Member);
}

DigipeaterPath& PathOf(ConfigSettings& s, int k) {
  return s.digipeater.paths[static_cast<std::size_t>(k)];
}
Beacon& BeaconOf(ConfigSettings& s, int k) {
  return s.beacons.beacons[static_cast<std::size_t>(k)];
}
ReportBlockSettings& BlockOf(ConfigSettings& s, int k) {
  return ReportBlockOf(s, static_cast<ReportBlockInstance>(k));
}
AprsIsServer& ServerOf(ConfigSettings& s, int k) {
  return s.aprsIs.servers[static_cast<std::size_t>(k)];
}
ServiceAccess& ServiceOf(ConfigSettings& s, int k) {
  return k == 0 ? s.access.www : s.access.telnet;
}
TelemetryChannel& ChannelOf(ConfigSettings& s, int k) {
  return s.telemetry.channels[static_cast<std::size_t>(k)];
}
// Record 4 * a + i is octet i of address a, in NetworkSettings order.
std::string& OctetOf(ConfigSettings& s, int k) {
  OctetTexts* const addresses[] = {&s.network.address, &s.network.mask, &s.network.gateway,
                                   &s.network.dns};
  return (*addresses[k / 4])[static_cast<std::size_t>(k % 4)];
}

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
  std::string Key(int record, std::string_view field) const {
    return RecordKey(key, record + 1, field);
  }
};

constexpr Record kPaths{"path", 1076, 12, static_cast<int>(kDigipeaterPathCount)};
constexpr Record kBeacons{"beacon", 340, 92, static_cast<int>(kBeaconCount)};
constexpr Record kServers{"aprsIs.server", 160, 36, 3};
constexpr Record kChannels{"channel", 1324, 45, 5};

// Bytes inside the checksummed span (and all beyond it) that hold no field;
// each beacon's last byte is declared with the beacons.
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
    record_ = 0;
    sectionStart_[static_cast<std::size_t>(section)] = fields_.size();
  }
  // The fields added next belong to record `record` (from 0).
  void InRecord(int record) { record_ = record; }
  void BeginBlock(ReportBlockInstance instance) {
    blockStart_[static_cast<std::size_t>(instance)] = fields_.size();
  }
  void Add(ImageField field) {
    field.section = section_;
    field.record = record_;
    fields_.push_back(std::move(field));
  }

  std::vector<ImageField> fields_;
  std::array<std::size_t, kImageSectionCount + 1> sectionStart_{};
  std::array<std::size_t, kReportBlockLayouts.size()> blockStart_{};

 private:
  ImageSection section_ = ImageSection::kRadio;
  int record_ = 0;
};

void AddRadio(TableBuilder& t) {
  using R = RadioSettings;
  constexpr auto kRadio = &ConfigSettings::radio;
  t.Add(WithRule(Field("radio.callsign", FieldKind::kCallsign, 4, 6, Of<kRadio, &R::callsign>),
                 CallsignGiven, "Callsign - too short (ex. NOCALL-4).", true));
  ImageField ssid = Field("radio.ssid", FieldKind::kSsidDigit, 10, 2, Of<kRadio, &R::ssid>);
  ssid.high = 15;
  ssid.message = "Callsign - SSID range error (0 - 15).";
  t.Add(std::move(ssid));
  t.Add(Number("radio.txDelay", 12, 4, 200, 1000, "Preamble len - range error (200 - 1000).",
               Of<kRadio, &R::txDelay>));
  t.Add(Number("radio.quietTime", 16, 4, 200, 3000, "Quiet time - range error (200 - 3000).",
               Of<kRadio, &R::quietTime>));
  t.Add(List("radio.pttType", 47, 2, Of<kRadio, &R::pttType>));
  t.Add(List("radio.busyDetect", 48, 2, Of<kRadio, &R::busyDetect>));
  t.Add(WithRule(Text("radio.latitude", 28, 9, Of<kRadio, &R::latitude>), LatitudePattern,
                 "Latitude - syntax error (ex. 5221.60N).", true));
  t.Add(WithRule(Text("radio.longitude", 37, 10, Of<kRadio, &R::longitude>), LongitudePattern,
                 "Longitude - syntax error (ex. 01653.63E).", true));
}

void AddDigipeater(TableBuilder& t) {
  using D = DigipeaterSettings;
  using P = DigipeaterPath;
  constexpr auto kDigipeater = &ConfigSettings::digipeater;
  t.Add(Field("digipeater.on", FieldKind::kSwitch32, 20, 4, Of<kDigipeater, &D::digipeaterOn>));
  t.Add(Number("digipeater.duplicateChecking", 24, 4, 15, 180,
               "Antiflood timeout - range error (15 - 180).",
               Of<kDigipeater, &D::duplicateChecking>));
  // Every path row is checked, active or not, named or not.
  for (int k = 0; k < kPaths.count; ++k) {
    const std::size_t at = kPaths.Start(k);
    const std::string bound = "Path(n-N) " + std::to_string(k + 1) + ", ";
    t.InRecord(k);
    t.Add(Text(kPaths.Key(k, "name"), at, 8, OfRecord<PathOf, &P::name>));
    t.Add(Number(kPaths.Key(k, "lower"), at + 8, 1, 1, 7, bound + "n>= value range error (1 - 7).",
                 OfRecord<PathOf, &P::lower>));
    t.Add(Number(kPaths.Key(k, "higher"), at + 9, 1, 1, 7, bound + "n<= value range error (1 - 7).",
                 OfRecord<PathOf, &P::higher>));
    t.Add(List(kPaths.Key(k, "traceable"), at + 10, 2, OfRecord<PathOf, &P::traceable>));
    t.Add(Field(kPaths.Key(k, "active"), FieldKind::kCheckByte, at + 11, 1,
                OfRecord<PathOf, &P::active>));
  }
}

// One report block: N and n keep their low 8 bits (1 to 7, n >= N), the
// rates 32 bits (5 to 1440 taken as unsigned). Its record number is its
// instance.
void AddReportBlock(TableBuilder& t, ReportBlockInstance instance) {
  using B = ReportBlockSettings;
  const ReportBlockLayout& at = LayoutOf(instance);
  const std::string label(at.messageLabel);
  const std::string key = ReportBlockKey(instance) + ".";
  t.BeginBlock(instance);
  t.InRecord(static_cast<int>(instance));
  ImageField dest =
      Field(key + "dest", FieldKind::kDestText, at.dest, kDestWidth, OfRecord<BlockOf, &B::dest>);
  dest.listItems = static_cast<int>(kDestinationList.size());
  t.Add(std::move(dest));
  t.Add(Text(key + "path", at.path, kReportPathWidth, OfRecord<BlockOf, &B::path>));
  t.Add(Number(key + "bign", at.bign, 1, 1, 7, label + " path, N value range error (1 - 7).",
               OfRecord<BlockOf, &B::bign>));
  ImageField smalln =
      WithRule(Number(key + "smalln", at.smalln, 1, 1, 7,
                      label + " path, n value range error (1 - 7).", OfRecord<BlockOf, &B::smalln>),
               PathOrder, label + " path, n should be >= N.");
  smalln.partner = at.bign;
  t.Add(std::move(smalln));
  t.Add(Number(key + "rateRf", at.txRateRf, 4, 5, 1440,
               label + " tx rate (RF) range error (5 - 1440).", OfRecord<BlockOf, &B::txRateRf>));
  t.Add(Number(key + "rateAprsIs", at.txRateAprsIs, 4, 5, 1440,
               label + " tx rate (APRSIS) range error (5 - 1440).",
               OfRecord<BlockOf, &B::txRateAprsIs>));
  t.Add(Field(key + "toRf", FieldKind::kCheckByte, at.toRf, 1, OfRecord<BlockOf, &B::toRf>));
  t.Add(Field(key + "toAprsIs", FieldKind::kCheckByte, at.toAprsIs, 1,
              OfRecord<BlockOf, &B::toAprsIs>));
}

// Beacon by beacon: its block, then its message, so a bad message of beacon 3
// is reported after beacon 3's block and before anything of beacon 4.
void AddBeacons(TableBuilder& t) {
  for (int k = 0; k < kBeacons.count; ++k) {
    AddReportBlock(t, ReportBlockInstance(k));
    // The message sits right after the IS rate; special strings are stored
    // as typed, the device replaces them.
    t.Add(WithRule(Text(kBeacons.Key(k, "message"), kBeacons.Start(k) + 24,
                        kBeaconMessageLength + 1, OfRecord<BeaconOf, &Beacon::message>),
                   PrintableText,
                   "Beacon " + std::to_string(k + 1) + " message - forbidden characters."));
  }
}

// The page's addresses in the order they are checked; the device keeps them
// as address, gateway, mask, DNS. Each octet's typed value is checked, so -1
// fails although its low byte fits.
void AddNetwork(TableBuilder& t) {
  struct Address {
    std::string_view key;
    std::size_t offset;
    std::string_view message;
  };
  constexpr std::array<Address, 4> kAddresses = {{
      {"network.address", 301, "IP Address - range error (0 - 255)."},
      {"network.mask", 309, "IP Mask - range error (0 - 255)."},
      {"network.gateway", 305, "Gateway - range error (0 - 255)."},
      {"network.dns", 313, "DNS - range error (0 - 255)."},
  }};
  for (int a = 0; a < 4; ++a) {
    const Address& address = kAddresses[static_cast<std::size_t>(a)];
    for (int i = 0; i < 4; ++i) {
      t.InRecord(4 * a + i);
      t.Add(Number(
          RecordKey(address.key, i + 1), address.offset + static_cast<std::size_t>(i), 1, 0, 255,
          std::string(address.message), [](ConfigSettings& s, int r) { return Ref(OctetOf(s, r)); },
          RangeOf::kTypedValue));
    }
  }
}

void AddAprsIs(TableBuilder& t) {
  using A = AprsIsSettings;
  constexpr auto kAprsIs = &ConfigSettings::aprsIs;
  for (int k = 0; k < kServers.count; ++k) {
    t.InRecord(k);
    t.Add(Text(kServers.Key(k, "host"), kServers.Start(k), 32,
               OfRecord<ServerOf, &AprsIsServer::host>));
    // An empty port box is stored as 0: the device reads that as "no port".
    ImageField port =
        Number(kServers.Key(k, "port"), kServers.Start(k) + 32, 4, 0, 65535,
               "APRS-IS Server " + std::to_string(k + 1) + " Port - range error (0 - 65535).",
               OfRecord<ServerOf, &AprsIsServer::port>, RangeOf::kTypedValue);
    port.emptyIsUnset = true;
    t.Add(std::move(port));
  }
  t.InRecord(0);
  t.Add(Text("aprsIs.user", 116, 17, Of<kAprsIs, &A::user>));
  t.Add(Text("aprsIs.password", 133, 17, Of<kAprsIs, &A::password>));
  t.Add(Field("aprsIs.gateRfToAprsIs", FieldKind::kSwitch32, 152, 4,
              Of<kAprsIs, &A::gateRfToAprsIs>));
  t.Add(Field("aprsIs.gateAprsIsToRf", FieldKind::kSwitch32, 156, 4,
              Of<kAprsIs, &A::gateAprsIsToRf>));
}

void AddWeather(TableBuilder& t) {
  using W = WeatherSettings;
  constexpr auto kWeather = &ConfigSettings::weather;
  t.Add(List("weather.stationType", 52, static_cast<int>(kWeatherStationTypes.size()),
             Of<kWeather, &W::stationType>));
  AddReportBlock(t, ReportBlockInstance::kWeatherReport);
  t.InRecord(0);
  t.Add(WithRule(Text("weather.comment", 80, kWeatherCommentLength + 1, Of<kWeather, &W::comment>),
                 PrintableText, "Weather report comment - forbidden characters."));
}

// The clock set values are taken as given (the device checks them); the
// window does not read them back, its clock follows the PC.
void AddClock(TableBuilder& t) {
  using C = ClockSettings;
  constexpr auto kClock = &ConfigSettings::clock;
  constexpr auto kWord = FieldKind::kClockWord;
  t.Add(Field("clock.uploadPcTime", FieldKind::kNotStored, 0, 0, Of<kClock, &C::uploadPcTime>));
  t.Add(Field("clock.year", kWord, 320, 4, Of<kClock, &C::year>));
  t.Add(Field("clock.month", kWord, 324, 4, Of<kClock, &C::month>));
  t.Add(Field("clock.day", kWord, 328, 4, Of<kClock, &C::day>));
  t.Add(Field("clock.hour", kWord, 332, 4, Of<kClock, &C::hour>));
  t.Add(Field("clock.minute", kWord, 336, 4, Of<kClock, &C::minute>));
  t.Add(Field("clock.useNtp", FieldKind::kCheckByte, 268, 1, Of<kClock, &C::useNtp>));
  t.Add(Text("clock.ntpServer", 269, 32, Of<kClock, &C::ntpServer>));
}

std::string Dotted(std::string_view key, std::string_view field) {
  return std::string(key) + "." + std::string(field);
}

// User, password (each cut to 12 characters) and port; the web service also
// gets its login token between its password and its port. A negative port is
// refused rather than stored as its low 16 bits.
void AddService(TableBuilder& t, int service, std::string_view key, std::size_t at,
                std::size_t port, std::string_view portMessage) {
  using S = ServiceAccess;
  t.InRecord(service);
  t.Add(Text(Dotted(key, "user"), at, 13, OfRecord<ServiceOf, &S::user>));
  t.Add(Text(Dotted(key, "password"), at + 13, 13, OfRecord<ServiceOf, &S::password>));
  if (service == 0)
    t.Add(Field(Dotted(key, "token"), FieldKind::kBase64Token, 1198, 40, nullptr));
  t.Add(Number(Dotted(key, "port"), port, 2, 0, 65535, std::string(portMessage),
               OfRecord<ServiceOf, &S::port>, RangeOf::kTypedValue));
}

void AddAccess(TableBuilder& t) {
  AddService(t, 0, "www", 1172, 1238, "WWW port - range error (0 - 65535).");
  AddService(t, 1, "telnet", 1240, 1266, "Telnet port - range error (0 - 65535).");
}

// Nothing of the channels is checked: coefficients are stored as typed.
void AddTelemetry(TableBuilder& t) {
  using C = TelemetryChannel;
  t.Add(List("telemetry.module", 1268, 2,
             Of<&ConfigSettings::telemetry, &TelemetrySettings::moduleSupport>));
  const int sources = static_cast<int>(kTelemetrySourceItems.size());
  for (int k = 0; k < kChannels.count; ++k) {
    const std::size_t at = kChannels.Start(k);
    t.InRecord(k);
    t.Add(List(kChannels.Key(k, "source"), at, sources, OfRecord<ChannelOf, &C::source>));
    t.Add(Text(kChannels.Key(k, "name"), at + 1, 8, OfRecord<ChannelOf, &C::name>));
    t.Add(Text(kChannels.Key(k, "units"), at + 9, 8, OfRecord<ChannelOf, &C::units>));
    t.Add(Text(kChannels.Key(k, "coeffA"), at + 17, 9, OfRecord<ChannelOf, &C::coeffA>));
    t.Add(Text(kChannels.Key(k, "coeffB"), at + 26, 9, OfRecord<ChannelOf, &C::coeffB>));
    t.Add(Text(kChannels.Key(k, "coeffC"), at + 35, 9, OfRecord<ChannelOf, &C::coeffC>));
    t.Add(List(kChannels.Key(k, "average"), at + 44, 2, OfRecord<ChannelOf, &C::average>));
  }
}

struct Table {
  std::vector<ImageField> fields;
  std::array<std::size_t, kImageSectionCount + 1> sectionStart{};
  std::array<std::size_t, kReportBlockLayouts.size()> blockStart{};
  std::map<std::string, std::size_t, std::less<>> byKey;
  std::array<std::int16_t, ConfigImage::kSize> byOffset{};  // field index, -1 for none
};

// The sections in the order "Write config" checks them, each with its rows.
struct SectionRows {
  ImageSection section;
  void (*add)(TableBuilder& t);
};
constexpr SectionRows kSectionRows[] = {
    {ImageSection::kRadio, AddRadio},
    {ImageSection::kDigipeater, AddDigipeater},
    {ImageSection::kBeacons, AddBeacons},
    {ImageSection::kNetwork, AddNetwork},
    {ImageSection::kAprsIs, AddAprsIs},
    {ImageSection::kWeather, AddWeather},
    {ImageSection::kClock, AddClock},
    {ImageSection::kAccess, AddAccess},
    {ImageSection::kTelemetry, AddTelemetry},
    {ImageSection::kTelemetryData,
     [](TableBuilder& t) { AddReportBlock(t, ReportBlockInstance::kTelemetryData); }},
    {ImageSection::kTelemetryParameters,
     [](TableBuilder& t) { AddReportBlock(t, ReportBlockInstance::kTelemetryParameters); }},
};

Table BuildTable() {
  TableBuilder t;
  for (const SectionRows& rows : kSectionRows) {
    t.Begin(rows.section);
    rows.add(t);
  }

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
      return RecordKey(kBeacons.key, static_cast<int>(instance) + 1);
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

const ReportBlockSettings& ReportBlockOf(const ConfigSettings& settings,
                                         ReportBlockInstance instance) {
  return ReportBlockOf(const_cast<ConfigSettings&>(settings), instance);
}

const ImageField* FieldHolding(const ConfigSettings& settings, const void* member) {
  if (member == nullptr)
    return nullptr;
  for (const ImageField& field : ImageFields()) {
    const ImageField::View view = field.Read(settings);
    if (view.text == member || view.index == member || view.check == member)
      return &field;
  }
  return nullptr;
}

FieldValue ValueOf(const ImageField& field, const ConfigSettings& settings) {
  FieldValue value;
  const ImageField::View view = field.Read(settings);
  if (view.text != nullptr)
    value.text = *view.text;
  if (view.index != nullptr)
    value.index = *view.index;
  if (view.check != nullptr)
    value.check = *view.check;
  return value;
}

void SetValue(const ImageField& field, ConfigSettings& settings, const FieldValue& value) {
  const SettingRef ref = field.Setting(settings);
  if (ref.text != nullptr)
    *ref.text = value.text;
  if (ref.index != nullptr)
    *ref.index = value.index;
  if (ref.check != nullptr)
    *ref.check = value.check;
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
