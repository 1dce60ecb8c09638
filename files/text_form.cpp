#include "text_form.h"

#include <cstdio>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "field_rows.h"
#include "integer_conversion.h"
#include "station_place.h"

namespace vardex {
namespace {

constexpr std::string_view kHeader =
    "# VARDEX configuration: one [page] per tab, one \"label = value\" line per field.\n"
    "# Lists take an entry's text (empty: nothing selected), check boxes yes or no.\n";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// Code point of the UTF-8 sequence at `i` if it is one of the C1 controls
// (U+0080 to U+009F), which are written escaped.
int C1ControlAt(std::string_view text, std::size_t i) {
  if (i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0xC2) {
    const auto next = static_cast<unsigned char>(text[i + 1]);
    if (next >= 0x80 && next <= 0x9F)
      return next;
  }
  return -1;
}

bool NeedsQuotes(std::string_view value) {
  if (value.empty())
    return false;
  if (IsBlank(value.front()) || IsBlank(value.back()) || value.front() == '"')
    return true;
  for (std::size_t i = 0; i < value.size(); ++i) {
    const auto c = static_cast<unsigned char>(value[i]);
    if (c < 0x20 || c == 0x7F || C1ControlAt(value, i) >= 0)
      return true;
  }
  return false;
}

void AppendCodePoint(unsigned code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The value of a quoted text, or an error text.
bool Unquote(std::string_view quoted, std::string& value, std::string& error) {
  value.clear();
  std::size_t i = 1;
  for (; i < quoted.size() && quoted[i] != '"'; ++i) {
    if (quoted[i] != '\\') {
      value += quoted[i];
      continue;
    }
    if (++i >= quoted.size())
      break;
    switch (quoted[i]) {
      case '\\':
      case '"':
        value += quoted[i];
        break;
      case 't':
        value += '\t';
        break;
      case 'n':
        value += '\n';
        break;
      case 'r':
        value += '\r';
        break;
      case 'x': {
        const int high = i + 1 < quoted.size() ? HexDigitValue(quoted[i + 1]) : -1;
        const int low = i + 2 < quoted.size() ? HexDigitValue(quoted[i + 2]) : -1;
        if (high < 0 || low < 0) {
          error = "\\x wants two hexadecimal digits";
          return false;
        }
        AppendCodePoint(static_cast<unsigned>(high * 16 + low), value);
        i += 2;
        break;
      }
      default:
        error = std::string("unknown escape \\") + quoted[i];
        return false;
    }
  }
  if (i >= quoted.size()) {
    error = "the closing double quote is missing";
    return false;
  }
  if (!Trim(quoted.substr(i + 1)).empty()) {
    error = "text after the closing double quote";
    return false;
  }
  return true;
}

// The rows of the page whose caption is `caption`.
const PageTable* FindPage(std::string_view caption) {
  for (const PageTable& page : PageTables()) {
    if (page.caption == caption)
      return &page;
  }
  return nullptr;
}

// The field whose label starts the line and is followed by "=" (the longest
// such label: some labels end in ">=").
const ControlRow* MatchKey(const PageTable& page, std::string_view line, std::size_t& valueStart) {
  const ControlRow* best = nullptr;
  for (const FieldRow& row : ImageFieldRows()) {
    if (row.page != &page || !line.starts_with(row.control->label))
      continue;
    std::size_t i = row.control->label.size();
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i < line.size() && line[i] == '=' &&
        (best == nullptr || row.control->label.size() > best->label.size())) {
      best = row.control;
      valueStart = i + 1;
    }
  }
  return best;
}

// Where the first control character of `line` is (a line's closing '\r'
// aside), or npos. Such bytes are what a file edited by mistake or made to
// fool a terminal carries; a value that holds one writes it as \xHH.
std::size_t FirstControlCharacter(std::string_view line) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    const bool lineEnd = c == '\r' && i + 1 == line.size();
    if ((c < 0x20 && c != '\t' && !lineEnd) || c == 0x7F || C1ControlAt(line, i) >= 0)
      return i;
  }
  return std::string_view::npos;
}

// "\xHH" for one byte.
std::string HexEscape(unsigned byte) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return {'\\', 'x', kDigits[(byte >> 4) & 0xF], kDigits[byte & 0xF]};
}

}  // namespace

std::string EscapeControls(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const int c1 = C1ControlAt(text, i);
    if (c < 0x20 || c == 0x7F || c1 >= 0) {
      out += HexEscape(c1 >= 0 ? static_cast<unsigned>(c1) : c);
      i += c1 >= 0 ? 1 : 0;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string QuoteValue(std::string_view value) {
  if (!NeedsQuotes(value))
    return std::string(value);
  std::string out = "\"";
  for (std::size_t i = 0; i < value.size(); ++i) {
    const auto c = static_cast<unsigned char>(value[i]);
    const int c1 = C1ControlAt(value, i);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      out += HexEscape(c);
    } else if (c1 >= 0) {
      out += HexEscape(static_cast<unsigned>(c1));
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

namespace {

// What ShowText adds after the position: following from it, never read.
constexpr std::string_view kLocatorKey = "Locator";
constexpr std::string_view kDecimalKey = "Decimal position";

std::string PlaceLines(const RadioSettings& radio) {
  const std::optional<StationPlace> place = ReadStationPlace(radio.latitude, radio.longitude);
  if (!place)
    return std::string(kLocatorKey) + " =\n" + std::string(kDecimalKey) + " =\n";
  return std::string(kLocatorKey) + " = " + MaidenheadLocator(*place) + "\n" +
         std::string(kDecimalKey) + " = " + DecimalDegrees(place->latitude) + ", " +
         DecimalDegrees(place->longitude) + "\n";
}

std::string TextForm(ConfigSettings settings, bool withPlace) {
  std::string text(kHeader);
  const PageTable* page = nullptr;
  for (const FieldRow& row : ImageFieldRows()) {
    if (row.page != page) {
      page = row.page;
      text += "\n[" + std::string(page->caption) + "]\n";
    }
    const std::string value = QuoteValue(ShownValue(*row.control, settings));
    text += row.control->label + (value.empty() ? " =\n" : " = " + value + "\n");
    if (withPlace && row.control->key == "radio.longitude")
      text += PlaceLines(settings.radio);
  }
  return text;
}

}  // namespace

std::string ExportText(ConfigSettings settings) {
  return TextForm(std::move(settings), false);
}

std::string ShowText(ConfigSettings settings) {
  return TextForm(std::move(settings), true);
}

bool ImportText(std::string_view text, std::string_view name, ConfigSettings& settings,
                std::string& error) {
  const PageTable* page = nullptr;
  std::set<const ControlRow*> seen;
  std::size_t lineNumber = 0;
  auto fail = [&](const std::string& what) {
    error = std::string(name) + ":" + std::to_string(lineNumber) + ": " + what;
    return false;
  };
  // Notepad starts a UTF-8 file with a byte-order mark.
  if (text.starts_with("\xEF\xBB\xBF"))
    text.remove_prefix(3);
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (const std::size_t at = FirstControlCharacter(line); at != std::string_view::npos) {
      return fail("control character " +
                  EscapeControls(line.substr(at, line[at] == '\xC2' ? 2 : 1)) + " in column " +
                  std::to_string(at + 1) +
                  " (a value may hold one written as \\xHH in double quotes)");
    }
    line = Trim(line);
    if (line.empty() || line.front() == '#' || line.front() == ';')
      continue;
    if (line.front() == '[') {
      if (line.back() != ']')
        return fail("a section line ends with ']'");
      const std::string_view caption = line.substr(1, line.size() - 2);
      page = FindPage(caption);
      if (page == nullptr)
        return fail("unknown section [" + EscapeControls(caption) + "]");
      continue;
    }
    if (page == nullptr)
      return fail("a field before any [page] section");
    std::size_t valueStart = 0;
    const ControlRow* control = MatchKey(*page, line, valueStart);
    if (control == nullptr) {
      const std::string key = EscapeControls(Trim(line.substr(0, line.find('='))));
      if (line.find('=') == std::string_view::npos)
        return fail("not a \"label = value\" line");
      if (page->caption == "Radio" && (key == kLocatorKey || key == kDecimalKey))
        continue;  // vardex show's place of the position
      return fail("unknown key \"" + key + "\" in [" + std::string(page->caption) + "]");
    }
    if (!seen.insert(control).second)
      return fail("\"" + control->label + "\" is given twice");
    const std::string_view raw = Trim(line.substr(valueStart));
    std::string value(raw);
    std::string why;
    if (!raw.empty() && raw.front() == '"' && !Unquote(raw, value, why))
      return fail("bad value for \"" + control->label + "\": " + why);
    if (!SetShownValue(*control, value, settings, why))
      return fail("bad value \"" + EscapeControls(value) + "\" for \"" + control->label +
                  "\": it " + std::move(why));
  }
  return true;
}

}  // namespace vardex
