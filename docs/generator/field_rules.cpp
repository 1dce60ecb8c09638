#include "field_rules.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "config_driver.h"

namespace vardex {
namespace {

// Values that cross every kind of rule the steps have: empty, not a number,
// below and above small and large ranges, the ends of a 32-bit integer, a
// character outside printable ASCII, and a text longer than any field.
constexpr std::array<std::string_view, 13> kProbes = {
    "",
    "x",
    "-1",
    "0",
    "1",
    "7",
    "16",
    "99999",
    "-99999",
    "2147483647",
    "-2147483648",
    "\xc3\xa9",
    "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
};

struct Position {
  std::size_t page;
  std::size_t control;
};

// The control whose setting lives at `field` inside `settings`.
bool FindControl(ConfigSettings& settings, const void* field, Position& found) {
  const std::vector<PageTable>& pages = PageTables();
  for (std::size_t p = 0; p < pages.size(); ++p) {
    for (std::size_t c = 0; c < pages[p].controls.size(); ++c) {
      const SettingRef ref = pages[p].controls[c].Setting(settings);
      if (ref.text == field || ref.index == field || ref.check == field) {
        found = {p, c};
        return true;
      }
    }
  }
  return false;
}

void AddOnce(std::vector<std::string>& list, const std::string& text) {
  if (std::find(list.begin(), list.end(), text) == list.end())
    list.push_back(text);
}

// A table cell: no line breaks, and a '|' does not end the cell.
std::string Cell(std::string_view text) {
  std::string cell;
  for (const char c : text) {
    if (c == '|')
      cell += "\\|";
    else if (c == '\n')
      cell += ' ';
    else
      cell += c;
  }
  return cell;
}

std::string Joined(const std::vector<std::string_view>& items, std::string_view separator) {
  std::string text;
  for (const std::string_view item : items) {
    if (!text.empty())
      text += separator;
    text += item;
  }
  return text;
}

std::string Limits(const ControlRow& row, const FieldRules& rules) {
  switch (row.kind) {
    case ControlKind::kCheck:
      return "on or off";
    case ControlKind::kList:
      return "one of: " + Joined(row.items, ", ");
    case ControlKind::kListText:
    case ControlKind::kEdit:
      break;
  }
  std::string text = row.maxLength == 1 ? std::string("1 character")
                                        : "up to " + std::to_string(row.maxLength) + " characters";
  if (rules.wholeNumber)
    text += ", a whole number";
  for (std::size_t i = 0; i < rules.messages.size(); ++i)
    text += (i == 0 ? ". Refused with \"" : " or \"") + rules.messages[i] + "\"";
  return text;
}

}  // namespace

std::vector<std::vector<FieldRules>> ProbeFieldRules() {
  const std::vector<PageTable>& pages = PageTables();
  std::vector<std::vector<FieldRules>> rules(pages.size());
  for (std::size_t p = 0; p < pages.size(); ++p) rules[p].resize(pages[p].controls.size());

  ConfigImage image;
  for (const PageTable& page : pages) {
    for (const ControlRow& row : page.controls) {
      if (row.kind != ControlKind::kEdit && row.kind != ControlKind::kListText)
        continue;
      for (const std::string_view probe : kProbes) {
        ConfigSettings settings;
        *row.Setting(settings).text = std::string(probe);
        const StepResult result = BuildConfigImage(settings, image);
        Position at{};
        if (result.Succeeded() || !FindControl(settings, result.field, at))
          continue;
        FieldRules& found = rules[at.page][at.control];
        if (result.kind == StepResult::Kind::kNotAnInteger)
          found.wholeNumber = true;
        else
          AddOnce(found.messages, result.text);
      }
    }
  }
  return rules;
}

std::string FieldReferenceMarkdown() {
  const std::vector<PageTable>& pages = PageTables();
  const std::vector<std::vector<FieldRules>> rules = ProbeFieldRules();
  std::string text =
      "# Field reference\n"
      "\n"
      "Every control of the ten pages, in the order Tab visits them: its label, what it\n"
      "takes, and its tool tip. A write stops at the first value that is refused and\n"
      "shows the message quoted here. This page is generated from the window's page\n"
      "tables and the write rules by `vardex-field-reference`; do not edit it by hand.\n";
  for (std::size_t p = 0; p < pages.size(); ++p) {
    text += "\n## " + std::string(pages[p].caption) + "\n\n";
    text += "| Label | Takes | Tool tip |\n|---|---|---|\n";
    for (std::size_t c = 0; c < pages[p].controls.size(); ++c) {
      const ControlRow& row = pages[p].controls[c];
      text += "| " + Cell(row.label) + " | " + Cell(Limits(row, rules[p][c])) + " | " +
              Cell(row.hint) + " |\n";
    }
  }
  return text;
}

}  // namespace vardex
