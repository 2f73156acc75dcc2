#pragma once
// Drop-down and pop-up lists whose visible texts differ from the values the
// radio stores. A value table ties them together: entry 0 is the default row
// (shown when the stored value matches no row), entry 1 + i the stored value
// of row i. When two rows share a value the first one wins.
#include <QComboBox>
#include <QListWidget>
#include <QStringList>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <tuple>
#include <utility>

#include "model/LabelTables.h"

using ValueTable = std::span<const std::uint32_t>;

inline QString ToQString(const char* s) { return QString::fromLatin1(s); }
inline QString ToQString(const QString& s) { return s; }
inline QString ToQString(const std::string& s) { return QString::fromStdString(s); }

template <std::size_t N>
QStringList ToQStringList(const std::array<std::string, N>& texts) {
  QStringList out;
  for (const auto& t : texts) out << ToQString(t);
  return out;
}

// The first row i < rows whose value (entry 1 + i) equals `value`, else -1.
int RowOfValue(ValueTable table, int rows, std::uint32_t value);

// Puts the texts at rows 0..N-1 (ahead of rows already there; the control is
// not emptied) and selects `select`. Selecting never counts as a user choice.
void FillCombo(QComboBox* combo, const QStringList& texts, int select);
void FillListBox(QListWidget* list, const QStringList& texts, int select);
// The same, appending after the rows already there.
void AppendListBox(QListWidget* list, const QStringList& texts, int select);

// Selects the row of the stored value; when no row matches, the selection
// stays and `rows` is returned.
int SelectComboByValue(QComboBox* combo, ValueTable table, int rows, std::uint32_t value);

// The MODEL combo: rows 0 and 1 are the mobile models, 2 and 3 the portable
// ones; the model byte tells apart the families that share a model code.
// Returns the row selected, or -1 with the selection unchanged.
int SelectModelComboByValue(QComboBox* combo, ValueTable table, std::uint8_t modelCode, std::uint8_t modelByte);

// The text of the row of the stored value in a filled list, else the text of
// the default row; empty when that row does not exist.
QString ChoiceTextByValue(const QListWidget* list, ValueTable table, int rows, std::uint32_t value);

template <std::size_t N>
QString ChoiceTextByByteValue(const QListWidget* list, const ByteValueTable<N>& table, std::uint32_t value) {
  std::array<std::uint32_t, N + 1> wide{};
  wide[0] = table.defaultRow;
  for (std::size_t i = 0; i < N; ++i) wide[i + 1] = table.values[i];
  return ChoiceTextByValue(list, wide, static_cast<int>(N), value);
}

// Shows a hidden pick list over a grid cell, above its siblings, at (x, y,
// width, height) in its parent's coordinates, selects `row` (row 0 when the
// list has no such row), optionally repaints the parent at once, and gives
// the list the focus. The caller finds the row by the stored value: a cell's
// text is not unique (two rows may read the same, "None" stands for several
// values). Opening fires no selection signal, so it never stores. A list
// whose widest row needs more than `width` grows to show it whole, to the
// right, or to the left when it opens left of its cell (`growsLeft`).
void ShowPickerList(QListWidget* list, int x, int y, int width, int height, int row, bool redraw,
                    bool growsLeft = false);

// ---- The numbered forms the pages call: N texts, then the row to select. ----
namespace choice_detail {
template <std::size_t N, class Fill, class... A>
void FillN(Fill fill, A&&... args) {
  static_assert(sizeof...(A) == N + 1, "N texts, then the row to select");
  const auto all = std::forward_as_tuple(args...);
  QStringList texts;
  [&]<std::size_t... I>(std::index_sequence<I...>) {
    (texts.append(ToQString(std::get<I>(all))), ...);
  }(std::make_index_sequence<N>{});
  fill(texts, static_cast<int>(std::get<N>(all)));
}
}  // namespace choice_detail

#define RP58_FILL_FORM(Name, Control, Impl, N)                                                         \
  template <class... A>                                                                                \
  void Name##N(Control* c, A&&... a) {                                                                 \
    choice_detail::FillN<N>([c](const QStringList& t, int s) { Impl(c, t, s); }, std::forward<A>(a)...); \
  }
RP58_FILL_FORM(FillListBox, QListWidget, AppendListBox, 2)
RP58_FILL_FORM(FillListBox, QListWidget, FillListBox, 3)
RP58_FILL_FORM(FillListBox, QListWidget, FillListBox, 4)
RP58_FILL_FORM(FillListBox, QListWidget, FillListBox, 6)
RP58_FILL_FORM(FillListBox, QListWidget, FillListBox, 10)
RP58_FILL_FORM(FillListBox, QListWidget, FillListBox, 14)
RP58_FILL_FORM(FillListBox, QListWidget, FillListBox, 16)
RP58_FILL_FORM(FillCombo, QComboBox, FillCombo, 2)
RP58_FILL_FORM(FillCombo, QComboBox, FillCombo, 3)
RP58_FILL_FORM(FillCombo, QComboBox, FillCombo, 4)
RP58_FILL_FORM(FillCombo, QComboBox, FillCombo, 5)
RP58_FILL_FORM(FillCombo, QComboBox, FillCombo, 7)
RP58_FILL_FORM(FillCombo, QComboBox, FillCombo, 8)
RP58_FILL_FORM(FillCombo, QComboBox, FillCombo, 9)
RP58_FILL_FORM(FillCombo, QComboBox, FillCombo, 13)
RP58_FILL_FORM(FillCombo, QComboBox, FillCombo, 16)
#undef RP58_FILL_FORM

#define RP58_SELECT_FORM(N) \
  inline int SelectComboByValue##N(QComboBox* c, ValueTable t, std::uint32_t v) { return SelectComboByValue(c, t, N, v); }
RP58_SELECT_FORM(2)
RP58_SELECT_FORM(3)
RP58_SELECT_FORM(4)
RP58_SELECT_FORM(5)
RP58_SELECT_FORM(7)
RP58_SELECT_FORM(8)
RP58_SELECT_FORM(9)
RP58_SELECT_FORM(13)
RP58_SELECT_FORM(16)
#undef RP58_SELECT_FORM

#define RP58_TEXT_FORM(N)                                                                     \
  inline QString ChoiceTextByValue##N(const QListWidget* l, ValueTable t, std::uint32_t v) { \
    return ChoiceTextByValue(l, t, N, v);                                                     \
  }
RP58_TEXT_FORM(2)
RP58_TEXT_FORM(3)
RP58_TEXT_FORM(4)
RP58_TEXT_FORM(6)
RP58_TEXT_FORM(10)
RP58_TEXT_FORM(14)
RP58_TEXT_FORM(16)
#undef RP58_TEXT_FORM

// Also serves lists that may still be empty: then "None".
QString ChoiceTextByValue21(const QListWidget* list, ValueTable table, std::uint32_t value);

inline QString ChoiceTextByByteValue50(const QListWidget* l, const ByteValueTable<50>& t, std::uint32_t v) {
  return ChoiceTextByByteValue(l, t, v);
}
inline QString ChoiceTextByByteValue106(const QListWidget* l, const ByteValueTable<106>& t, std::uint32_t v) {
  return ChoiceTextByByteValue(l, t, v);
}
