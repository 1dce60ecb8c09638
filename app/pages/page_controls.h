#pragma once

#include <QWidget>
#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "config_settings.h"
#include "page_tables.h"

class QPushButton;

namespace vardex {

// The controls built from one page table, one per row. The page's layout
// code takes each by the key of the field it carries and puts it where it
// belongs; the binding walks them together with the rows.
class PageControls {
 public:
  PageControls(QWidget* page, const PageTable& table);

  // Builds the control of the row whose key is `key` (on the page, or on
  // `parent` when given): its object name, limits, hint, items, caption,
  // fixed width and, as its accessible name, the row's label. Null when the
  // page has no such row or its control is built already.
  QWidget* Take(std::string_view key, QWidget* parent = nullptr);
  template <typename T>
  T* Take(std::string_view key, QWidget* parent = nullptr);

  // Builds the button of the row with `action` and `instance` (on the page,
  // or on `parent` when given): its object name, caption, hint and label.
  // Null when the page has no such row or its button is built already.
  QPushButton* TakeButton(PageAction action, int instance = 0, QWidget* parent = nullptr);

  const PageTable& Table() const { return *table_; }
  QWidget* Page() const { return page_; }
  // The control of row `row`; null when the row has not been built.
  QWidget* At(std::size_t row) const { return row < built_.size() ? built_[row] : nullptr; }
  // The button of button row `row`; null when it has not been built.
  QPushButton* ButtonAt(std::size_t row) const {
    return row < builtButtons_.size() ? builtButtons_[row] : nullptr;
  }

 private:
  QWidget* page_;
  const PageTable* table_;
  std::vector<QWidget*> built_;
  std::vector<QPushButton*> builtButtons_;
};

template <typename T>
T* PageControls::Take(std::string_view key, QWidget* parent) {
  return qobject_cast<T*>(Take(key, parent));
}

// The settings of a subset of rows: the members (addresses inside the
// `ConfigSettings` being moved) whose controls take part. Empty means all.
using SettingMembers = std::initializer_list<const void*>;

// All ten pages' controls, in tab order.
class WindowControls {
 public:
  std::vector<PageControls>& Pages() { return pages_; }
  const std::vector<PageControls>& Pages() const { return pages_; }

  // Settings to controls. A text longer than its box admits is shown whole;
  // an index outside the list leaves it without a selection.
  void Show(ConfigSettings& settings, SettingMembers only = {}) const;
  // The control that carries `member` of `settings`; null when none does.
  QWidget* ControlOf(ConfigSettings& settings, const void* member) const;
  // The control that carries `field`; null when none does.
  QWidget* ControlOf(const ImageField* field) const;

 private:
  std::vector<PageControls> pages_;
};

// What `control` (built for `row`) shows as its field's value: an edit
// box's text, a list's selection (the item whose text equals the list's text
// exactly, else -1), a check box's state; and the value shown on it, as Show
// puts it.
FieldValue ValueShownBy(QWidget* control, const ControlRow& row);
void ShowValue(QWidget* control, const ControlRow& row, const FieldValue& value);

}  // namespace vardex
