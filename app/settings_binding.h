#pragma once

#include <string>

#include "config_settings.h"

class QString;
class QWidget;

// Moves settings between the window's controls and the plain settings
// structs, in one direction per instance. Each page names its controls once in
// a Bind function; the same function then serves gathering and showing.
class SettingsBinder {
 public:
  enum class Direction { kFromWidgets, kToWidgets };

  SettingsBinder(QWidget* root, Direction direction) : root_(root), direction_(direction) {}

  // An edit box's text, or an editable list's text.
  void Text(const QString& name, std::string& value);
  // A list's selection: the item whose text equals the list's text exactly,
  // else -1. Shown as the current index; -1 leaves the list without one.
  void List(const QString& name, int& index);
  void Check(const QString& name, bool& checked);

  Direction direction() const { return direction_; }

 private:
  QWidget* Find(const QString& name) const;

  QWidget* root_;
  Direction direction_;
};

// Every page's Bind function, in the fixed section order.
void BindAllSettings(SettingsBinder& binder, vardex::ConfigSettings& settings);

vardex::ConfigSettings GatherSettings(QWidget* root);
void ShowSettings(QWidget* root, vardex::ConfigSettings settings);
