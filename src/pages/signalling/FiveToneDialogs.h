#pragma once
// The two dialogs of the 5-Tone page: the Common/System settings and the
// Encode/Decode code lists of the page's family. Each reloads its records
// from the radio image when it opens, changes them as the user works, writes
// them back into the image on OK, and on Cancel (Esc, the window's close)
// puts the records and the data-changed flag back as they were at opening.
// Enter closes a dialog only when OK or Cancel has the focus. F1 shows the
// help of the focused control.
#include <QCheckBox>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <memory>
#include <vector>

#include "framework/EditControls.h"
#include "framework/FlexGrid.h"
#include "framework/SettingsBinder.h"
#include "model/FiveTone.h"
#include "model/RadioImage.h"
#include "platform/KeyPreview.h"

namespace five_tone_dlg {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kEncodeGrid = 1595;
inline constexpr int kEditor = 1584;
// The decode and special-codes grids: mobile, portable.
inline constexpr int kDecodeGrid[2] = {15961, 1827};
inline constexpr int kSpecialGrid[2] = {15971, 1828};
}  // namespace five_tone_dlg

// What both dialogs share: the family, OK and Cancel, the restore on Cancel,
// Enter and F1.
class CFiveToneDialog : public QDialog, public KeyPreview {
public:
  Family DialogFamily() const { return family_; }
  bool PreviewKey(QKeyEvent* event) override;
  // Cancel: the records and the changed flag as they were at opening.
  void reject() override;

protected:
  CFiveToneDialog(Family family, QWidget* parent, int helpContext);
  // The buttons, under `body`.
  void AddButtons(QLayout* body);
  // Stores what OK stores and closes.
  virtual void OnOk() = 0;
  // Puts the records back as they were when the dialog opened.
  virtual void Restore() = 0;
  // A key the dialog's own controls take; true when handled.
  virtual bool OwnKey(QKeyEvent*) { return false; }
  // Whether F1 on the control shows the dialog's page rather than its own.
  virtual bool HelpIsTheDialogs(int /*controlId*/) const { return false; }

  const Family family_;
  QPointer<QPushButton> ok_;
  QPointer<QPushButton> cancel_;

private:
  bool dataModifiedAtOpen_;
  int helpContext_;
};

class CFiveToneCommonDlg : public CFiveToneDialog {
public:
  CFiveToneCommonDlg(Family family, QWidget* parent);

protected:
  void OnOk() override;
  void Restore() override;
  bool OwnKey(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct DigitBox {
    QCheckBox* box;
    std::uint8_t* element;
  };
  struct MsField {
    CFilterEdit* edit;
    std::uint8_t* field;
  };
  void CommitMsFields();

  CFiveToneCommonRecord& record_;
  // The record as it was at opening (either family's: the two differ only in
  // where they pack).
  CMobileFiveToneCommonRecord atOpen_;
  CSettingsBinder binder_;
  std::vector<DigitBox> digits_;
  std::vector<MsField> msFields_;
};

class CFiveToneCodeDlg : public CFiveToneDialog {
public:
  CFiveToneCodeDlg(Family family, QWidget* parent);
  ~CFiveToneCodeDlg() override;

  CFlexGrid* EncodeGrid() const { return encode_; }
  CFlexGrid* DecodeGrid() const { return decode_; }
  CFlexGrid* SpecialGrid() const { return special_; }

protected:
  void OnOk() override;
  void Restore() override;
  bool OwnKey(QKeyEvent* event) override;
  bool HelpIsTheDialogs(int) const override { return true; }

private:
  // The table of a grid and the table row of a grid row (-1: none).
  CFiveToneCodeTable& TableOf(const CFlexGrid* grid) const;
  int TableRow(const CFlexGrid* grid, int gridRow) const;
  bool IsEditableColumn(const CFlexGrid* grid, int col) const;
  void BuildGrid(CFlexGrid* grid);
  void WriteCell(CFlexGrid* grid, int row, int col);
  void OpenEditor(CFlexGrid* grid, const QString& text);
  void Toggle(CFlexGrid* grid);
  void OnKeyPressGrid(CFlexGrid* grid, QChar c);
  bool OnGridDoubleClick(CFlexGrid* grid);
  CFlexGrid* FocusedGrid() const;

  CFiveToneCodeTable& encodeTable_;
  CFiveToneCodeTable& decodeTable_;
  std::array<FiveToneRow, kFiveToneRows> encodeAtOpen_;
  std::array<FiveToneRow, kFiveToneRows> decodeAtOpen_;
  QPointer<CFlexGrid> encode_;
  QPointer<CFlexGrid> decode_;
  QPointer<CFlexGrid> special_;
  QPointer<CFiveToneEdit> editor_;
  QPointer<CGridCellEditor> cellEditor_;
  // The grid a key, double click or typed character last went to.
  QPointer<CFlexGrid> editGrid_;
};

// The twins the page opens, one per family.
class CMobileFiveToneCommonPage : public CFiveToneCommonDlg {
public:
  explicit CMobileFiveToneCommonPage(QWidget* parent) : CFiveToneCommonDlg(kMobile, parent) {}
};
class CPortableFiveToneCommonPage : public CFiveToneCommonDlg {
public:
  explicit CPortableFiveToneCommonPage(QWidget* parent) : CFiveToneCommonDlg(kPortable, parent) {}
};
class CMobileFiveToneCodePage : public CFiveToneCodeDlg {
public:
  explicit CMobileFiveToneCodePage(QWidget* parent) : CFiveToneCodeDlg(kMobile, parent) {}
};
class CPortableFiveToneCodePage : public CFiveToneCodeDlg {
public:
  explicit CPortableFiveToneCodePage(QWidget* parent) : CFiveToneCodeDlg(kPortable, parent) {}
};
