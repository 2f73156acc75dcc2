#pragma once
// The frame every group page shares: a "Default" column and six group
// columns over the groups of one zone, scrolled a group at a time with the
// arrow buttons, the rows of the page's kind and view (GroupLines.h) bound
// by one CGridBinder, the tag and ID edits, and the buttons back to the zone
// table and to the other view of the zone. One implementation serves the
// eight page classes; they differ by family, zone kind and view.
#include <QPointer>
#include <array>
#include <optional>
#include <vector>

#include "framework/ButtonsAndLists.h"
#include "framework/EditControls.h"
#include "framework/GridBinder.h"
#include "model/GroupEdits.h"
#include "model/RadioImage.h"
#include "pages/channel/ChannelPages.h"
#include "pages/group/GroupLines.h"

class QLabel;

// Control numbers the frame's own code refers to.
namespace group_page {
inline constexpr int kScrollLeft = 1270;
inline constexpr int kScrollRight = 1271;
inline constexpr int kClose = 1211;
inline constexpr int kZoneNumber = 1212;
inline constexpr int kAlias = 1418;
inline constexpr int kZoneFormat = 1419;
inline constexpr GroupCellIds kHeadings = {1215, 1216, 1217, 1218, 1219, 1220};
}  // namespace group_page

class CGroupPageBase : public CZonePageBase {
public:
  Family PageFamily() const { return family_; }
  GroupZoneKind ZoneKind() const { return kind_; }
  GroupView View() const { return view_; }
  // The absolute index of the group in column 1.
  int FirstVisibleGroup() const { return firstVisible_; }
  // Rewrites every cell, heading and header field from the data.
  void RefreshGroupGrid() { RefreshGrid(); }

  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;
  // F1 shows the page's help; the rest is the page key pattern.
  bool PreviewKey(QKeyEvent* event) override;

protected:
  CGroupPageBase(Family family, GroupZoneKind kind, GroupView view, int templateId);

  void BuildGrid() override;
  int FirstShownItem() const override { return firstVisible_; }
  void OnDestroyWindow() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

private:
  struct EditCells {
    GroupRowKind kind;
    std::array<QPointer<QLineEdit>, kGroupColumns> edits;
  };

  ZoneGroupRange Range() const;
  CellLook LookOf(int line, int item) const;
  void UpdateHeadings();
  void ScrollGroups(int delta);
  void Navigate(unsigned msg, WParam wParam, LParam lParam);
  void OnButton(int id);
  // Which edit row and column a control number is; nullopt for none.
  std::optional<std::pair<const EditCells*, int>> EditAt(WParam id) const;
  void StoreTag(int column, const QString& text);
  void CheckId(GroupRowKind kind, int column);
  bool CopyTxToRx(int g);

  Family family_;
  GroupZoneKind kind_;
  GroupView view_;
  GroupPageRows rows_;
  int firstVisible_ = 0;
  std::vector<int> lineRows_;  // the binder's line number -> index into rows_.rows
  std::vector<EditCells> edits_;
  std::array<QPointer<QLabel>, kGroupColumns> headings_;
  // The group whose TX ID was typed in since its cell took the focus.
  std::optional<int> txEdited_;
};
