#pragma once
// A settings page made of rows. The page describes each setting by a row of
// a table (label, control and label numbers of each family's template, box,
// kind, choices, fallback row, field, enable group, hidden) and its boxes by
// a second table; CSettingsPage lays the boxes out as the template does,
// binds every choice row to its field through one CSettingsBinder, refreshes
// them when the page is shown and enables or disables them by group. A row
// of a kind the generic page does not know is built by the page itself
// (BuildCustomRow), so a page class holds only what its rows cannot say.
#include <QFont>
#include <array>
#include <functional>
#include <vector>

#include "framework/ScrollablePage.h"
#include "framework/SettingsBinder.h"
#include "framework/SettingsForm.h"
#include "model/RadioImage.h"

// One row of a page's table. Field is how the page's record names a setting;
// Box and Kind are the page's own enums. Kind{} (the first kind) is a plain
// drop-down list bound to its field; any other kind is the page's to build.
template <class Field, class Box, class Kind>
struct SettingsRow {
  const char* label;
  std::array<int, 2> id;       // the control on the mobile / portable page; 0 = the family has none
  std::array<int, 2> labelId;  // its label; 0 = unnumbered
  Box box;
  Kind kind = Kind{};
  Choices choices{};
  Choices portableChoices{};  // empty: as `choices`
  int fallback = 0;
  Field field{};
  int group = 0;        // enable group; 0 = in none
  bool hidden = false;  // on the template without the visible style: built, filled, never shown

  Choices ChoicesOf(Family f) const { return f == kPortable && !portableChoices.empty() ? portableChoices : choices; }
};

// Where a box starts a new column, in dialog units; x < 0: below the box before.
struct SettingsColumn {
  int x = -1;
  int y = 0;
  int width = 0;
};

// One box of a page, in the order of the page: its bold heading (its number
// on each family's template; 0 = the family has no such box) and the rows
// whose box it is. A box without a heading puts its rows bare at its column,
// with no frame.
template <class Box>
struct SettingsBox {
  Box box;
  const char* heading;
  std::array<int, 2> id;
  SettingsColumn column{};
};

class CSettingsPage : public CScrollablePage {
public:
  // A row as this family's page has it.
  struct FamilyRow {
    const char* label;
    int id;
    int labelId;
    int box;
    int kind;
    Choices choices;
    int fallback;
    int group;
    bool hidden;
    std::function<FieldRef()> field;  // resolved when the window is built
  };

  Family PageFamily() const { return family_; }

  // Refills and reselects every bound list from the records. A page that
  // shows more than its lists extends this and calls it.
  virtual void RefreshFromData();

protected:
  CSettingsPage(Family family, int templateId, QSize templateSize, int fontPoints = 8);

  // The page's tables: its rows (any range of SettingsRow), its boxes (of
  // SettingsBox) and how a row's field is found in the records
  // (`resolve(field)` gives a FieldRef). Rows of a box not in `boxes` are
  // left out. Set once, in the page's constructor.
  template <class Rows, class Boxes, class Resolve>
  void SetRows(const Rows& rows, const Boxes& boxes, Resolve resolve);

  // Builds a row of a kind the generic page does not know: its label and
  // control go at the form's next row (`form.Row<T>(row.labelId, row.label,
  // row.id, row.hidden)`).
  virtual void BuildCustomRow(const FamilyRow& row, CSettingsForm& form) = 0;

  // Binds a list a custom row has built to the row's field, as a plain row's
  // list is bound; `afterStore` runs after each store of a user's choice.
  void BindChoice(QComboBox* combo, const FamilyRow& row, std::function<void()> afterStore = {});
  // The measures the form lays the rows out with; set in the constructor.
  void SetFormMetrics(const CSettingsForm::Metrics& metrics) { metrics_ = metrics; }

  // Enables or disables every bound list of an enable group.
  void SetGroupEnabled(int group, bool enabled) const { binder_.SetGroupEnabled(group, enabled); }
  const QFont& BoldFont() const { return bold_; }
  // True from the moment the window starts to go until it is built again.
  bool IsClosing() const { return closing_; }

  // Builds the boxes and rows, then refreshes.
  bool OnInitDialog() override;
  // Forgets the bindings: the lists are on their way out.
  void OnDestroyWindow() override;
  // Showing or hiding the page shows the data as it is now.
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

  // The family of the page, and its column of the tables' per-family numbers.
  const Family family_;
  std::size_t Column() const { return family_ == kPortable ? 1 : 0; }

private:
  struct FamilyBox {
    int box;
    const char* heading;
    int id;
    SettingsColumn column;
  };
  void BuildRows();

  std::vector<FamilyRow> rows_;
  std::vector<FamilyBox> boxes_;
  CSettingsBinder binder_;
  CSettingsForm::Metrics metrics_{};
  QFont bold_;
  bool closing_ = false;
};

template <class Rows, class Boxes, class Resolve>
void CSettingsPage::SetRows(const Rows& rows, const Boxes& boxes, Resolve resolve) {
  const std::size_t col = Column();
  rows_.clear();
  for (const auto& r : rows) {
    if (r.id[col] == 0) continue;
    rows_.push_back({r.label, r.id[col], r.labelId[col], static_cast<int>(r.box), static_cast<int>(r.kind),
                     r.ChoicesOf(family_), r.fallback, r.group, r.hidden,
                     [resolve, field = r.field] { return resolve(field); }});
  }
  boxes_.clear();
  SettingsColumn pending;  // the column of a box this family has not
  for (const auto& b : boxes) {
    const SettingsColumn column = b.column.x >= 0 ? b.column : pending;
    pending = {};
    if (b.heading != nullptr && b.id[col] == 0) {
      pending = column;
      continue;
    }
    boxes_.push_back({static_cast<int>(b.box), b.heading, b.id[col], column});
  }
}
