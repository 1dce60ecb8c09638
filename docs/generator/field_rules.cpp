#include "field_rules.h"

#include <cstddef>
#include <string_view>

#include "station_check.h"

namespace vardex {
namespace {

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

// What the station check says about the field, after its rules.
std::string CheckTopic(const ControlRow& row) {
  const std::string topic = StationCheckTopic(row.key);
  if (topic.empty())
    return {};
  // A beacon's message is read as the network reads it; the guide says how.
  const bool beacon = row.key.starts_with("beacon[") && row.key.ends_with(".message");
  return "; station check: " + topic +
         (beacon
              ? " ([beacons as the network reads them](guide.md#beacons-as-the-network-reads-them))"
              : "");
}

std::string Limits(const ControlRow& row, const FieldRules& rules) {
  switch (row.kind) {
    case ControlKind::kCheck:
      return "on or off" + CheckTopic(row);
    case ControlKind::kList:
      return "one of: " + Joined(row.items, ", ") + CheckTopic(row);
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
  return text + CheckTopic(row);
}

}  // namespace

FieldRules RulesOf(const ControlRow& control) {
  FieldRules rules;
  const ImageField& field = *control.field;
  rules.wholeNumber = field.kind == FieldKind::kNumber || field.kind == FieldKind::kSsidDigit ||
                      field.kind == FieldKind::kClockWord;
  // A rule checked before the field is stored comes first.
  if (field.rule != nullptr && field.ruleFirst)
    rules.messages.push_back(field.ruleMessage);
  if (!field.message.empty())
    rules.messages.push_back(field.message);
  if (field.rule != nullptr && !field.ruleFirst)
    rules.messages.push_back(field.ruleMessage);
  return rules;
}

std::vector<std::vector<FieldRules>> ControlFieldRules() {
  std::vector<std::vector<FieldRules>> rules;
  for (const PageTable& page : PageTables()) {
    std::vector<FieldRules>& controls = rules.emplace_back();
    for (const ControlRow& row : page.controls) controls.push_back(RulesOf(row));
  }
  return rules;
}

std::string FieldReferenceMarkdown() {
  const std::vector<PageTable>& pages = PageTables();
  const std::vector<std::vector<FieldRules>> rules = ControlFieldRules();
  std::string text =
      "# Field reference\n"
      "\n"
      "Every control of the ten pages, in the order Tab visits them: its label, what it\n"
      "takes, and its tool tip. A write stops at the first value that is refused and\n"
      "shows the message quoted here. This page is generated from the window's page\n"
      "tables and the write rules by `vardex-field-reference`; do not edit it by hand.\n"
      "\"Station check\" names what the station check (Tools, Station check; `vardex\n"
      "check`) advises against in the field: advice, which never refuses a value.\n";
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
