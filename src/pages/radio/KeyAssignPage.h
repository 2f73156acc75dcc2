#pragma once
// The Key Assignment page of both families: a drawing of the radio's keys
// above (mobile) or beside (portable) a grid of twelve key buttons, each
// captioned with the function its key holds. A button opens a pick list just
// below it; Enter or a double-click stores the row's function. What the lists
// hold, the pairing and which buttons are live come from the key-assignment
// model; the page only displays it.
#include <QPointer>
#include <QTimer>
#include <array>
#include <vector>

#include "framework/ButtonsAndLists.h"
#include "model/KeyAssignModel.h"
#include "pages/PageBase.h"

// Where a family's page puts its controls, in dialog units.
struct KeyPageLayout {
  Family family;
  int fontPoints;
  QRect picture;
  std::array<int, kAssignableKeys> buttonIds;
  std::array<QRect, kAssignableKeys> buttons;
  // The headings over the key columns (mobile: keys; portable: actions) and
  // beside the rows, with their numbers (0 = unnumbered).
  struct Label {
    int id;
    const char* text;
    QRect rect;
    Qt::Alignment align;
  };
  std::vector<Label> labels;
  bool boldLabels;
  // The mobile page closes its list on Esc and on a click beside it.
  bool escapeCloses;
};
const KeyPageLayout& KeyPageLayoutOf(Family family);

inline constexpr int kKeyPickList = 14961;
inline constexpr int kKeyPicture = 1579;
// How long after the list closes the focus goes back to the first key.
inline constexpr int kKeyFocusWalkMs = 100;

class CKeyAssignPage : public CScrollablePage {
public:
  // Rewrites the captions and live buttons from the record.
  void RefreshFromData();
  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;

  // The list is open for this key; -1 when it is closed.
  int OpenKey() const;

protected:
  CKeyAssignPage(Family family, int templateId);

  bool OnInitDialog() override;
  void OnDestroyWindow() override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void OpenList(int k);
  void OnKeyFunctionChosen();
  void CloseList();
  void WalkFocus();
  int KeyOfButton(int id) const;

  const KeyPageLayout& layout_;
  CKeyAssignModel model_;
  QPointer<CHotListBox> list_;
  std::array<QPointer<CFlatButton>, kAssignableKeys> buttons_{};
  std::vector<std::uint8_t> listCodes_;  // the function of each list row
  int currentKey_ = 0;
  QTimer walk_;
};

class CMobileKeyAssignPage : public CKeyAssignPage {
public:
  CMobileKeyAssignPage() : CKeyAssignPage(kMobile, 142) {}
};

class CPortableKeyAssignPage : public CKeyAssignPage {
public:
  CPortableKeyAssignPage() : CKeyAssignPage(kPortable, 215) {}
};
