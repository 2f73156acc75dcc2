#pragma once
// The 5-Tone page of both families: the tone grid (the four published
// systems and the user's own column) and the two buttons that open the
// Common/System and Encode/Decode dialogs. A cell is typed into a floating
// editor that commits to the cell it was opened on.
#include <QPointer>
#include <QPushButton>

#include "framework/EditControls.h"
#include "framework/FlexGrid.h"
#include "framework/ScrollablePage.h"
#include "model/FiveTone.h"
#include "model/RadioImage.h"

namespace five_tone_page {
inline constexpr int kCommonSystem = 1587;
inline constexpr int kEncodeDecode = 1588;
inline constexpr int kGrid = 1589;
inline constexpr int kEditor = 1617;
}  // namespace five_tone_page

class CFiveTonePage : public CScrollablePage {
public:
  bool PreviewKey(QKeyEvent* event) override;
  // Rebuilds the grid from the record (done when the window is built).
  void RefreshFromData();

protected:
  CFiveTonePage(Family family, int templateId);

  bool OnInitDialog() override;
  void OnDestroyWindow() override;

private:
  // The family's tone record, as the grid reads and writes it.
  std::string CellText(int row, int col) const;
  bool Editable(int row, int col) const;
  void WriteCell(int row, int col);
  // The columns whose cells a key may open: mobile 1-5, portable the user's.
  bool EditableColumn(int col) const;
  void BeginCellEdit(const QString& text);
  bool HandleGridKey(QKeyEvent* event);
  bool HandleGridDoubleClick();
  void OnKeyPressGrid(QChar c);
  void OnCommonSystem();
  void OnEncodeDecode();

  const Family family_;
  QPointer<CFlexGrid> grid_;
  QPointer<CFiveToneEdit> editor_;
  QPointer<CGridCellEditor> cellEditor_;
  QPointer<QPushButton> encodeDecode_;
};

class CMobileFiveTonePage : public CFiveTonePage {
public:
  CMobileFiveTonePage() : CFiveTonePage(kMobile, 223) {}
};

class CPortableFiveTonePage : public CFiveTonePage {
public:
  CPortableFiveTonePage() : CFiveTonePage(kPortable, 223) {}
};
