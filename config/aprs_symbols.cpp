#include "aprs_symbols.h"

#include <array>
#include <vector>

namespace vardex {
namespace {

constexpr char kFirstCode = '!';
constexpr std::size_t kCodeCount = 94;  // '!' to '~'

// The primary table ('/'), by code from '!'; "" where nothing is assigned.
constexpr std::array<std::string_view, kCodeCount> kPrimary = {
    "Police, sheriff",                  // !
    "",                                 // " reserved
    "Digipeater",                       // #
    "Phone",                            // $
    "DX cluster",                       // %
    "HF gateway",                       // &
    "Small aircraft",                   // '
    "Mobile satellite station",         // (
    "Wheelchair",                       // )
    "Snowmobile",                       // *
    "Red Cross",                        // +
    "Boy Scouts",                       // ,
    "House",                            // -
    "X",                                // .
    "Red dot",                          // /
    "Circle",                           // 0
    "Circle 1",                         // 1
    "Circle 2",                         // 2
    "Circle 3",                         // 3
    "Circle 4",                         // 4
    "Circle 5",                         // 5
    "Circle 6",                         // 6
    "Circle 7",                         // 7
    "Circle 8",                         // 8
    "Circle 9",                         // 9
    "Fire",                             // :
    "Campground (portable operation)",  // ;
    "Motorcycle",                       // <
    "Railroad engine",                  // =
    "Car",                              // >
    "File server",                      // ?
    "Hurricane future prediction",      // @
    "Aid station",                      // A
    "BBS",                              // B
    "Canoe",                            // C
    "",                                 // D
    "Eyeball (events)",                 // E
    "Farm vehicle (tractor)",           // F
    "Grid square",                      // G
    "Hotel",                            // H
    "TCP/IP on-air network station",    // I
    "",                                 // J
    "School",                           // K
    "PC user",                          // L
    "MacAPRS",                          // M
    "NTS station",                      // N
    "Balloon",                          // O
    "Police",                           // P
    "",                                 // Q
    "Recreational vehicle",             // R
    "Space shuttle",                    // S
    "SSTV",                             // T
    "Bus",                              // U
    "ATV",                              // V
    "National Weather Service site",    // W
    "Helicopter",                       // X
    "Yacht (sail)",                     // Y
    "WinAPRS",                          // Z
    "Human",                            // [
    "Triangle (DF station)",            // backslash
    "Mail, post office",                // ]
    "Large aircraft",                   // ^
    "Weather station",                  // _
    "Dish antenna",                     // `
    "Ambulance",                        // a
    "Bicycle",                          // b
    "Incident command post",            // c
    "Fire department",                  // d
    "Horse (equestrian)",               // e
    "Fire truck",                       // f
    "Glider",                           // g
    "Hospital",                         // h
    "IOTA (islands on the air)",        // i
    "Jeep",                             // j
    "Truck",                            // k
    "Laptop",                           // l
    "Mic-E repeater",                   // m
    "Node",                             // n
    "EOC",                              // o
    "Rover (dog)",                      // p
    "Grid square shown above 128 m",    // q
    "Repeater",                         // r
    "Ship (power boat)",                // s
    "Truck stop",                       // t
    "Truck (18 wheeler)",               // u
    "Van",                              // v
    "Water station",                    // w
    "xAPRS (Unix)",                     // x
    "Yagi at QTH",                      // y
    "",                                 // z
    "",                                 // {
    "",                                 // | TNC stream switch
    "",                                 // }
    "",                                 // ~ TNC stream switch
};

// The alternate table ('\'), by code from '!'.
constexpr std::array<std::string_view, kCodeCount> kAlternate = {
    "Emergency",                             // !
    "",                                      // " reserved
    "Digipeater (green star)",               // #
    "Bank or ATM",                           // $
    "Power plant",                           // %
    "Gateway",                               // &
    "Crash or incident site",                // '
    "Cloudy",                                // (
    "Firenet MEO, MODIS earth observation",  // )
    "",                                      // *
    "Church",                                // +
    "Girl Scouts",                           // ,
    "House (HF)",                            // -
    "Ambiguous (question mark)",             // .
    "Waypoint destination",                  // /
    "Circle (IRLP, Echolink, WIRES)",        // 0
    "",                                      // 1
    "",                                      // 2
    "",                                      // 3
    "",                                      // 4
    "",                                      // 5
    "",                                      // 6
    "",                                      // 7
    "802.11 or other network node",          // 8
    "Gas station",                           // 9
    "",                                      // :
    "Park or picnic area",                   // ;
    "Advisory (gale flag)",                  // <
    "",                                      // =
    "Car (top view)",                        // >
    "Information kiosk",                     // ?
    "Hurricane or tropical storm",           // @
    "Box (DTMF, RFID)",                      // A
    "",                                      // B
    "Coast Guard",                           // C
    "Depot",                                 // D
    "Smoke",                                 // E
    "",                                      // F
    "",                                      // G
    "Haze",                                  // H
    "Rain shower",                           // I
    "",                                      // J
    "Kenwood HT",                            // K
    "Lighthouse",                            // L
    "MARS",                                  // M
    "Navigation buoy",                       // N
    "Rocket",                                // O
    "Parking",                               // P
    "Earthquake",                            // Q
    "Restaurant",                            // R
    "Satellite",                             // S
    "Thunderstorm",                          // T
    "Sunny",                                 // U
    "VORTAC navigation aid",                 // V
    "NWS site",                              // W
    "Pharmacy",                              // X
    "Radios and devices",                    // Y
    "",                                      // Z
    "Wall cloud",                            // [
    "GPS device",                            // backslash
    "",                                      // ]
    "Aircraft (top view)",                   // ^
    "Weather site",                          // _
    "Rain",                                  // `
    "ARRL, ARES, WinLink, D-Star",           // a
    "",                                      // b
    "Civil defense (RACES)",                 // c
    "DX spot by callsign",                   // d
    "Sleet",                                 // e
    "Funnel cloud",                          // f
    "Gale flags",                            // g
    "Store, hamfest",                        // h
    "Box, point of interest",                // i
    "Work zone",                             // j
    "Special vehicle (SUV, ATV, 4x4)",       // k
    "Area",                                  // l
    "Value sign",                            // m
    "Triangle",                              // n
    "Small circle",                          // o
    "",                                      // p
    "",                                      // q
    "Restrooms",                             // r
    "Boat (top view)",                       // s
    "Tornado",                               // t
    "Truck",                                 // u
    "Van",                                   // v
    "Flooding",                              // w
    "Wreck or obstruction",                  // x
    "Skywarn",                               // y
    "Shelter",                               // z
    "",                                      // {
    "",                                      // | TNC stream switch
    "",                                      // }
    "",                                      // ~ TNC stream switch
};

// Overlays that the published overlay list gives a meaning of their own.
constexpr NamedSymbol kOverlays[] = {
    {{'1', '#'}, "Digipeater (WIDE1-1)"},
    {{'A', '#'}, "Digipeater (alternate input)"},
    {{'E', '#'}, "Digipeater (emergency power)"},
    {{'I', '#'}, "Digipeater with IGate"},
    {{'L', '#'}, "Digipeater (WIDEn-N, path length trapping)"},
    {{'S', '#'}, "Digipeater (SSn-N)"},
    {{'W', '#'}, "Digipeater (WIDEn-N, SSn-N, trapping)"},
    {{'X', '#'}, "Digipeater (experimental)"},
    {{'I', '&'}, "IGate"},
    {{'R', '&'}, "Receive-only IGate"},
    {{'T', '&'}, "IGate (1 hop to RF)"},
    {{'2', '&'}, "IGate (2 hops to RF)"},
    {{'P', '&'}, "PSKmail node"},
    {{'W', '&'}, "WIRES-X"},
    {{'B', '-'}, "House (battery, off grid)"},
    {{'E', '-'}, "House (emergency power)"},
    {{'O', '-'}, "House (operator present)"},
    {{'S', '-'}, "House (solar power)"},
    {{'W', '-'}, "House (wind power)"},
    {{'A', '0'}, "AllStar node"},
    {{'E', '0'}, "Echolink node"},
    {{'I', '0'}, "IRLP repeater"},
    {{'V', '0'}, "Echolink and IRLP"},
    {{'W', '0'}, "WIRES node"},
    {{'8', '8'}, "802.11 network node"},
    {{'G', '8'}, "802.11G network node"},
    {{'A', 'a'}, "ARES"},
    {{'D', 'a'}, "D-Star"},
    {{'R', 'a'}, "RACES"},
    {{'W', 'a'}, "WinLink"},
    {{'Y', 'a'}, "C4FM repeater"},
    {{'R', 'c'}, "RACES"},
    {{'S', 'c'}, "SATERN"},
    {{'F', ';'}, "Field Day"},
    {{'S', ';'}, "Summits on the air"},
    {{'E', 'z'}, "Shelter (emergency power)"},
};

bool IsOverlay(char table) {
  return (table >= '0' && table <= '9') || (table >= 'A' && table <= 'Z');
}

std::string_view BaseName(char table, char code) {
  if (code < kFirstCode || code > '~')
    return {};
  const auto index = static_cast<std::size_t>(code - kFirstCode);
  return table == '/' ? kPrimary[index] : kAlternate[index];
}

std::vector<NamedSymbol> BuildNamedSymbols() {
  std::vector<NamedSymbol> all;
  for (const char table : {'/', '\\'}) {
    for (std::size_t i = 0; i < kCodeCount; ++i) {
      const char code = static_cast<char>(kFirstCode + i);
      const std::string_view name = BaseName(table, code);
      if (!name.empty())
        all.push_back({{table, code}, name});
    }
  }
  all.insert(all.end(), std::begin(kOverlays), std::end(kOverlays));
  return all;
}

}  // namespace

std::span<const NamedSymbol> NamedSymbols() {
  static const std::vector<NamedSymbol> all = BuildNamedSymbols();
  return all;
}

std::string SymbolName(AprsSymbol symbol) {
  if (symbol.table == '/' || symbol.table == '\\')
    return std::string(BaseName(symbol.table, symbol.code));
  if (!IsOverlay(symbol.table))
    return {};
  for (const NamedSymbol& overlay : kOverlays) {
    if (overlay.symbol == symbol)
      return std::string(overlay.name);
  }
  const std::string_view base = BaseName('\\', symbol.code);
  if (base.empty())
    return {};
  return std::string(base) + " with overlay " + symbol.table;
}

std::string SymbolText(AprsSymbol symbol) {
  std::string name = SymbolName(symbol);
  if (name.empty())
    name = "unassigned symbol";
  return name + " (" + symbol.table + symbol.code + ")";
}

}  // namespace vardex
