#include "aprs_reader.h"

#include <cstddef>

namespace vardex {
namespace {

// Comment lengths the reference allows after each kind of position.
constexpr std::size_t kCommentAfterPosition = 43;
constexpr std::size_t kCommentAfterExtension = 36;
constexpr std::size_t kCommentAfterCompressed = 40;
constexpr std::size_t kStatusText = 62;
constexpr std::size_t kStatusTextAfterTime = 55;
// Old TNCs put fixed text first; the reference lets '!' stand this far in.
constexpr std::size_t kBangSearchLength = 40;

constexpr std::size_t kUncompressedLength = 19;  // 8 + table + 9 + code
constexpr std::size_t kCompressedLength = 13;    // table, 4 + 4, code, c, s, T
constexpr std::size_t kTimeStampLength = 7;
constexpr std::size_t kObjectNameLength = 9;
constexpr std::size_t kFewestItemName = 3;
constexpr std::size_t kMostItemName = 9;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsUpper(char c) {
  return c >= 'A' && c <= 'Z';
}
bool IsBase91(char c) {
  return c >= '!' && c <= '{';
}

int Number(std::string_view digits) {
  int value = 0;
  for (const char c : digits) value = value * 10 + (IsDigit(c) ? c - '0' : 0);
  return value;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

class Reader {
 public:
  explicit Reader(std::string_view info) : info_(info) {}

  AprsReading Read() {
    if (info_.empty()) {
      Refuse("the message is empty", "a data type first, e.g. =<lat>/<long>- for a position");
      return reading_;
    }
    for (const char c : info_) {
      if (c < ' ' || c > '~') {
        Refuse("it holds a character that is not printable ASCII", "letters, digits and signs");
        return reading_;
      }
    }
    switch (info_[0]) {
      case '!':
      case '=':
        reading_.kind = AprsKind::kPosition;
        ReadPosition(1);
        break;
      case '/':
      case '@':
        reading_.kind = AprsKind::kPositionWithTime;
        if (ReadTimeStamp(1))
          ReadPosition(1 + kTimeStampLength);
        break;
      case '>':
        ReadStatus();
        break;
      case ';':
        ReadObject();
        break;
      case ')':
        ReadItem();
        break;
      default:
        ReadOther();
        break;
    }
    return reading_;
  }

 private:
  void Refuse(std::string problem, std::string instead) {
    if (reading_.verdict == AprsVerdict::kRefused)
      return;
    reading_.verdict = AprsVerdict::kRefused;
    reading_.problem = std::move(problem);
    reading_.instead = std::move(instead);
  }

  void Warn(std::string problem, std::string instead) {
    if (reading_.verdict != AprsVerdict::kRead)
      return;
    reading_.verdict = AprsVerdict::kReadWarning;
    reading_.problem = std::move(problem);
    reading_.instead = std::move(instead);
  }

  // The seven characters at `at`: DDHHMM with z (UTC) or / (local time),
  // or HHMMSS with h (UTC).
  bool ReadTimeStamp(std::size_t at) {
    const std::string_view stamp = info_.substr(std::min(at, info_.size()), kTimeStampLength);
    bool digits = stamp.size() >= 6;
    for (std::size_t i = 0; digits && i < 6; ++i) digits = IsDigit(stamp[i]);
    if (!digits) {
      Refuse("the time stamp " + Quoted(stamp) + " is not six digits and z, / or h",
             "the time as day, hour and minute in UTC and z, e.g. @<date>z, or no time (= "
             "instead of @)");
      return false;
    }
    if (stamp.size() < kTimeStampLength ||
        (stamp[6] != 'z' && stamp[6] != '/' && stamp[6] != 'h')) {
      Refuse("the time " + std::string(stamp.substr(0, 6)) + " is followed by " +
                 (stamp.size() < kTimeStampLength ? "nothing" : Quoted(stamp.substr(6))) +
                 ", not by z (UTC), / (local time) or h (hours, minutes, seconds)",
             "z after the time: @<date>z");
      return false;
    }
    reading_.timeStamp = std::string(stamp);
    const int first = Number(stamp.substr(0, 2));
    const int second = Number(stamp.substr(2, 2));
    const int third = Number(stamp.substr(4, 2));
    const bool valid = stamp[6] == 'h' ? first <= 23 && second <= 59 && third <= 59
                                       : first >= 1 && first <= 31 && second <= 23 && third <= 59;
    if (!valid) {
      Warn("the time stamp " + reading_.timeStamp + " is no time: " +
               (stamp[6] == 'h' ? "hour 00-23, minute and second 00-59"
                                : "day 01-31, hour 00-23, minute 00-59"),
           "<date>z, which the device fills in");
    } else if (stamp[6] == '/') {
      Warn("the time stamp " + reading_.timeStamp +
               " is local time, which no receiver can place: the reference asks for UTC (z)",
           "z and the time in UTC, or no time stamp (= instead of @)");
    }
    return true;
  }

  void ReadPosition(std::size_t at) {
    if (at >= info_.size()) {
      Refuse("the position is missing after " + Quoted(info_),
             "the position after the data type, e.g. <lat>/<long>-");
      return;
    }
    if (IsDigit(info_[at]))
      ReadUncompressed(at);
    else
      ReadCompressed(at);
  }

  // ddmm.hhN: spaces may stand for the last digits (position ambiguity).
  std::optional<double> Coordinate(std::string_view text, std::size_t degreeDigits,
                                   std::string_view what, char positive, char negative) {
    const std::string example =
        degreeDigits == 2 ? "ddmm.hhN, e.g. 5221.60N" : "dddmm.hhE, e.g. 01653.63E";
    const std::string instead = "the " + std::string(what) + " as " + example;
    const std::size_t point = degreeDigits + 2;
    bool blank = false;
    bool shapeOk = text.size() == point + 4 && text[point] == '.';
    for (std::size_t i = 0; shapeOk && i < point + 3; ++i) {
      if (i == point)
        continue;
      if (text[i] == ' ' && i >= degreeDigits) {
        blank = true;
      } else {
        shapeOk = IsDigit(text[i]) && !blank;
      }
    }
    if (!shapeOk) {
      Refuse("the " + std::string(what) + " " + Quoted(text) + " is not " +
                 example.substr(0, example.find(',')),
             instead);
      return std::nullopt;
    }
    const int degrees = Number(text.substr(0, degreeDigits));
    const int minutes = Number(text.substr(degreeDigits, 2));
    const int hundredths = Number(text.substr(point + 1, 2));
    const int most = degreeDigits == 2 ? 90 : 180;
    if (minutes > 59 || degrees > most || (degrees == most && minutes + hundredths > 0)) {
      Refuse("the " + std::string(what) + " " + Quoted(text) + " is no place: degrees 0-" +
                 std::to_string(most) + ", minutes 00-59",
             instead);
      return std::nullopt;
    }
    const char hemisphere = text[point + 3];
    const char lower = static_cast<char>(positive - 'A' + 'a');
    const char lowerNegative = static_cast<char>(negative - 'A' + 'a');
    double value = degrees + (minutes + hundredths / 100.0) / 60.0;
    if (hemisphere == lower || hemisphere == lowerNegative) {
      Warn("the " + std::string(what) + "'s " + std::string(1, hemisphere) +
               " is lower case; the reference wants " + positive + " or " + negative,
           std::string(1, static_cast<char>(hemisphere - 'a' + 'A')));
    } else if (hemisphere != positive && hemisphere != negative) {
      Refuse("the " + std::string(what) + " " + Quoted(text) + " ends in " +
                 Quoted(std::string(1, hemisphere)) + ", not " + positive + " or " + negative,
             instead);
      return std::nullopt;
    }
    if (hemisphere == negative || hemisphere == lowerNegative)
      value = -value;
    return value;
  }

  void ReadUncompressed(std::size_t at) {
    const std::string_view body = info_.substr(at);
    const std::optional<double> latitude = Coordinate(body.substr(0, 8), 2, "latitude", 'N', 'S');
    if (!latitude)
      return;
    // "<lat><long>-": the longitude follows at once, its first digit taken
    // for an overlay.
    if (body.size() >= 17 && IsDigit(body[8]) && body[13] == '.' &&
        (body[16] == 'E' || body[16] == 'W')) {
      Refuse("the symbol table between latitude and longitude is missing",
             "/ (primary table) or \\ (alternate table) between them: <lat>/<long>-");
      return;
    }
    if (body.size() < 9 ||
        !(body[8] == '/' || body[8] == '\\' || IsDigit(body[8]) || IsUpper(body[8]))) {
      Refuse(std::string("the symbol table after the latitude is ") +
                 (body.size() < 9 ? "missing" : Quoted(body.substr(8, 1))) +
                 ", not / or \\ or an overlay 0-9, A-Z",
             "/ (primary table) or \\ (alternate table) between latitude and longitude, e.g. "
             "<lat>/<long>-");
      return;
    }
    const std::optional<double> longitude = Coordinate(body.substr(9, 9), 3, "longitude", 'E', 'W');
    if (!longitude)
      return;
    if (body.size() < kUncompressedLength || body[18] == ' ') {
      Refuse("the symbol code after the longitude is missing",
             "a symbol code after the longitude, e.g. <long>- for a house");
      return;
    }
    reading_.position = AprsPosition{*latitude, *longitude};
    SetSymbol({body[8], body[18]}, at + 8, at + 18);
    ReadComment(body.substr(kUncompressedLength), true);
  }

  void ReadCompressed(std::size_t at) {
    const std::string_view body = info_.substr(at);
    reading_.compressed = true;
    char table = body[0];
    if (table >= 'a' && table <= 'j')
      table = static_cast<char>(table - 'a' + '0');
    else if (!(table == '/' || table == '\\' || IsUpper(table))) {
      Refuse("a position starts with " + Quoted(body.substr(0, 1)) +
                 ": neither the latitude's first digit nor the symbol table of a compressed "
                 "position",
             "the latitude as ddmm.hhN, e.g. <lat>/<long>-");
      return;
    }
    if (body.size() < kCompressedLength) {
      Refuse("a compressed position has 13 characters, this one " + std::to_string(body.size()),
             "table, 4 characters of latitude, 4 of longitude, the symbol code and 3 more; "
             "or <lat>/<long>- uncompressed");
      return;
    }
    for (std::size_t i = 1; i < 9; ++i) {
      if (!IsBase91(body[i])) {
        Refuse("the compressed position holds " + Quoted(body.substr(i, 1)) + ", outside ! to {",
               "the position uncompressed: <lat>/<long>-");
        return;
      }
    }
    const auto base91 = [&](std::size_t from) {
      double value = 0;
      for (std::size_t i = from; i < from + 4; ++i) value = value * 91 + (body[i] - '!');
      return value;
    };
    const double latitude = 90 - base91(1) / 380926.0;
    const double longitude = -180 + base91(5) / 190463.0;
    if (latitude < -90 || longitude > 180) {
      Refuse("the compressed position is no place on Earth", "the position uncompressed");
      return;
    }
    if (body[9] == ' ') {
      Refuse("the symbol code of the compressed position is missing",
             "a symbol code after the 8 position characters");
      return;
    }
    reading_.position = AprsPosition{latitude, longitude};
    SetSymbol({table, body[9]}, at, at + 9);
    ReadComment(body.substr(kCompressedLength), false);
  }

  void SetSymbol(AprsSymbol symbol, std::size_t tableAt, std::size_t codeAt) {
    reading_.symbol = symbol;
    reading_.symbolTableAt = tableAt;
    reading_.symbolCodeAt = codeAt;
    if (symbol.code == '|' || symbol.code == '~') {
      Warn(std::string("the symbol code ") + symbol.code +
               " is kept for TNC stream switching and is no symbol",
           "another symbol code, e.g. - for a house");
    }
  }

  static bool DigitsAt(std::string_view text, std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count; ++i) {
      if (i >= text.size() || !IsDigit(text[i]))
        return false;
    }
    return true;
  }

  // Course/speed, PHGphgd, RNGrrrr, DFSshgd or an area's Tyy/Cxx: seven
  // characters right after the symbol.
  static bool HasExtension(std::string_view c) {
    if (c.size() < 7)
      return false;
    if (DigitsAt(c, 0, 3) && c[3] == '/' && DigitsAt(c, 4, 3))
      return true;
    const std::string_view head = c.substr(0, 3);
    if ((head == "PHG" || head == "RNG" || head == "DFS") && DigitsAt(c, 3, 4))
      return true;
    return c[0] == 'T' && DigitsAt(c, 1, 2) && c[3] == '/' && c[4] == 'C' && DigitsAt(c, 5, 2);
  }

  void ReadComment(std::string_view comment, bool extensionAllowed) {
    std::size_t limit = extensionAllowed ? kCommentAfterPosition : kCommentAfterCompressed;
    std::string_view text = comment;
    if (extensionAllowed && HasExtension(comment)) {
      text = comment.substr(7);
      limit = kCommentAfterExtension;
    }
    reading_.comment = std::string(comment);
    CheckText(text, limit, "comment",
              reading_.symbol && reading_.symbol->code == '_');  // weather data follows
  }

  void CheckText(std::string_view text, std::size_t limit, std::string_view what, bool lengthFree) {
    if (text.find_first_of("|~") != std::string_view::npos) {
      Warn("the " + std::string(what) + " holds | or ~, which are kept for TNC stream switching",
           "the " + std::string(what) + " without | and ~");
    }
    if (!lengthFree && text.size() > limit) {
      Warn("the " + std::string(what) + " has " + std::to_string(text.size()) +
               " characters; the reference allows " + std::to_string(limit) +
               " here, and displays cut what follows",
           "a " + std::string(what) + " of at most " + std::to_string(limit) + " characters");
    }
  }

  void ReadStatus() {
    reading_.kind = AprsKind::kStatus;
    std::string_view text = info_.substr(1);
    std::size_t limit = kStatusText;
    if (DigitsAt(text, 0, 6) && text.size() >= kTimeStampLength) {
      if (text[6] == 'z') {
        reading_.timeStamp = std::string(text.substr(0, kTimeStampLength));
        text = text.substr(kTimeStampLength);
        limit = kStatusTextAfterTime;
      } else if (text[6] == '/' || text[6] == 'h') {
        Warn("a status's time stamp is day, hour and minute in UTC with z; " +
                 Quoted(text.substr(0, 7)) + " is read as text",
             "<date>z after >, or no time stamp");
      }
    }
    reading_.comment = std::string(text);
    CheckText(text, limit, "status text", false);
  }

  void ReadObject() {
    reading_.kind = AprsKind::kObject;
    const std::size_t mark = 1 + kObjectNameLength;
    if (info_.size() <= mark || (info_[mark] != '*' && info_[mark] != '_')) {
      Refuse("an object's name is 9 characters (padded with spaces), then * or _",
             ";NAME     *<date>z<lat>/<long>- (the name padded to 9 characters)");
      return;
    }
    SetName(info_.substr(1, kObjectNameLength), info_[mark] == '_');
    if (ReadTimeStamp(mark + 1))
      ReadPosition(mark + 1 + kTimeStampLength);
  }

  void ReadItem() {
    reading_.kind = AprsKind::kItem;
    const std::size_t mark = info_.find_first_of("!_", 1);
    if (mark == std::string_view::npos || mark - 1 < kFewestItemName || mark - 1 > kMostItemName) {
      Refuse("an item's name is 3 to 9 characters, then ! (or _ to remove it)",
             ")NAME!<lat>/<long>-");
      return;
    }
    SetName(info_.substr(1, mark - 1), info_[mark] == '_');
    ReadPosition(mark + 1);
  }

  void SetName(std::string_view name, bool killed) {
    const std::size_t end = name.find_last_not_of(' ');
    reading_.name = std::string(name.substr(0, end == std::string_view::npos ? 0 : end + 1));
    reading_.killed = killed;
    if (killed) {
      Warn("_ after the name removes the " + KindText(reading_) + " from every map",
           reading_.kind == AprsKind::kObject ? "* after the name" : "! after the name");
    }
  }

  void ReadOther() {
    // The reference lets '!' stand up to 40 characters in, for TNCs whose
    // beacon text starts with fixed words; few readers still look there.
    const std::size_t bang = info_.substr(0, kBangSearchLength).find('!');
    if (bang != std::string_view::npos) {
      Reader rest(info_.substr(bang));
      AprsReading reading = rest.Read();
      if (reading.position) {
        reading_ = std::move(reading);
        reading_.symbolTableAt += bang;
        reading_.symbolCodeAt += bang;
        Warn("the position starts after " + Quoted(info_.substr(0, bang)) +
                 "; most readers look for it only at the start",
             "the position first and the words after it: " + std::string(info_.substr(bang)) + " " +
                 std::string(info_.substr(0, bang)));
        return;
      }
    }
    const std::string_view name = OtherName(info_);
    if (!name.empty()) {
      reading_.kind = AprsKind::kOther;
      reading_.otherKind = std::string(name);
      return;
    }
    Refuse("it starts with " + Quoted(info_.substr(0, 1)) +
               ", which is no APRS data type: readers drop it",
           "> first for a status text, or =<lat>/<long>- first for a position");
  }

  static std::string_view OtherName(std::string_view info) {
    if (info.starts_with("T#"))
      return "telemetry";
    switch (info[0]) {
      case ':':
        return "message";
      case '<':
        return "station capabilities";
      case '_':
        return "weather report";
      case '$':
        return "raw GPS data";
      case '`':
      case '\'':
        return "Mic-E position";
      case '?':
        return "query";
      case '}':
        return "third-party packet";
      case '{':
        return "user-defined data";
      default:
        return {};
    }
  }

  std::string_view info_;
  AprsReading reading_;
};

}  // namespace

AprsReading ReadAprsInformation(std::string_view info) {
  return Reader(info).Read();
}

std::string KindText(const AprsReading& reading) {
  const std::string compressed = reading.compressed ? "compressed " : "";
  switch (reading.kind) {
    case AprsKind::kPosition:
      return compressed + "position";
    case AprsKind::kPositionWithTime:
      return compressed + "position with time stamp";
    case AprsKind::kStatus:
      return reading.timeStamp.empty() ? "status" : "status with time stamp";
    case AprsKind::kObject:
      return "object " + reading.name;
    case AprsKind::kItem:
      return "item " + reading.name;
    case AprsKind::kOther:
      return reading.otherKind;
    case AprsKind::kUnknown:
      break;
  }
  return "no APRS packet";
}

std::string DescribeReading(const AprsReading& reading) {
  if (reading.verdict == AprsVerdict::kRefused)
    return "not readable: " + reading.problem;
  std::string text = KindText(reading);
  if (reading.symbol)
    text += ", symbol " + SymbolText(*reading.symbol);
  if (reading.verdict == AprsVerdict::kReadWarning)
    text += "; but " + reading.problem;
  return text;
}

}  // namespace vardex
