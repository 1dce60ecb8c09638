#pragma once

#include <QWidget>
#include <cstddef>
#include <initializer_list>
#include <vector>

#include "config_settings.h"
#include "page_tables.h"

namespace vardex {

// The controls built from one page table, one per row and in the row's
// order. The page's layout code takes them one by one with Next() and puts
// them where they belong; the binding walks them together with the rows.
class PageControls {
 public:
  PageControls(QWidget* page, const PageTable& table) : page_(page), table_(&table) {}

  // Builds the next row's control (on the page, or on `parent` when given):
  // its object name, limits, hint, items, caption, fixed width and, as its
  // accessible name, the row's label. Null once every row is built.
  QWidget* Next(QWidget* parent = nullptr);
  template <typename T>
  T* Next(QWidget* parent = nullptr);

  const PageTable& Table() const { return *table_; }
  QWidget* Page() const { return page_; }
  // The control of row `row`; null when the row has not been built.
  QWidget* At(std::size_t row) const { return row < built_.size() ? built_[row] : nullptr; }

 private:
  QWidget* page_;
  const PageTable* table_;
  std::vector<QWidget*> built_;
};

template <typename T>
T* PageControls::Next(QWidget* parent) {
  return qobject_cast<T*>(Next(parent));
}

// The settings of a subset of rows: the members (addresses inside the
// `ConfigSettings` being moved) whose controls take part. Empty means all.
using SettingMembers = std::initializer_list<const void*>;

// All ten pages' controls, in tab order.
class WindowControls {
 public:
  std::vector<PageControls>& Pages() { return pages_; }

  // Controls to settings: an edit box's text, a list's selection (the item
  // whose text equals the list's text exactly, else -1), a check box's state.
  void Gather(ConfigSettings& settings, SettingMembers only = {}) const;
  // Settings to controls. A text longer than its box admits is shown whole;
  // an index outside the list leaves it without a selection.
  void Show(ConfigSettings& settings, SettingMembers only = {}) const;
  // The control that carries `member` of `settings`; null when none does.
  QWidget* ControlOf(ConfigSettings& settings, const void* member) const;

 private:
  std::vector<PageControls> pages_;
};

}  // namespace vardex
