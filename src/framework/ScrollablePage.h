#pragma once
// The base of every settings page. The page object lives as long as the main
// dialog; its window (the controls) exists only while its tab is shown:
// Create() builds it, DestroyWindow() takes it down and keeps the object's
// own members. When the tab area is smaller than the reference page size the
// page scrolls in steps of 8 pixels across and 4 pixels down.
#include <QAbstractScrollArea>
#include <QPointer>
#include <QRect>
#include <QSize>

#include "framework/SizeGrip.h"
#include "platform/ControlIds.h"
#include "platform/DialogUnits.h"
#include "platform/KeyPreview.h"
#include "platform/UserMessages.h"

// Set by the main dialog's initialisation; the next page to initialise takes
// its client rectangle as the reference page size and clears it.
extern bool g_takePageSize;
// The reference page size every page's scroll ranges are measured against.
extern QRect g_refPageRect;
// Where the main dialog places pages, in the tab control's coordinates; null
// until the first page has been closed.
extern QRect g_pageRect;

// Shift+F9: the memory-editor request every page forwards.
inline constexpr int kRomEditCommand = 32774;

class CScrollablePage;
// What a page does with Shift+F9 unless it overrides OnRomEditCommand: the
// main window installs its routing by page class; null does nothing.
using PageRomEditRoute = void (*)(CScrollablePage& page);
extern PageRomEditRoute g_pageRomEditRoute;

class CScrollablePage : public QAbstractScrollArea, public UserMessageTarget, public KeyPreview {
public:
  // templateSize: the page's template in dialog units of a `fontPoints` font.
  CScrollablePage(int templateId, QSize templateSize, QWidget* parent = nullptr, int fontPoints = 8);
  ~CScrollablePage() override;

  int TemplateId() const { return templateId_; }

  // Builds the window as a child of `parent` (hidden; the caller shows and
  // places it) and runs OnInitDialog. false when the window already exists.
  bool Create(QWidget* parent);
  // Takes the window down: OnDestroyWindow, then the controls go (deleted
  // from the event loop, so a control's own signal may trigger this).
  void DestroyWindow();
  bool HasWindow() const { return body_ != nullptr; }

  // The parent of the page's controls: the scrolled template area.
  QWidget* Body() const { return body_; }
  const DialogUnits& Units() const { return units_; }

  // Creates a control of the template: a child of Body() with its number and
  // its rectangle in dialog units.
  template <class T>
  T* Place(int id, int x, int y, int width, int height) {
    auto* control = new T(body_);
    SetControlId(control, id);
    control->setGeometry(units_.ToPixels(x, y, width, height));
    return control;
  }

  // Scroll state, in units of 8 (across) and 4 (down) pixels.
  int HRange() const { return hRange_; }
  int VRange() const { return vRange_; }
  int HMax() const { return hMax_; }
  int VMax() const { return vMax_; }
  int HPos() const { return hPos_; }
  int VPos() const { return vPos_; }

  void ResetScroll();
  void UpdateScrollRanges();
  // What the page must be able to show: the reference page size, or more
  // where the page's controls reach further (Qt's controls can be larger
  // than the template's measures).
  QSize ScrollExtent() const;

  // The page key pattern: Enter and Esc are swallowed (a page never closes
  // itself), F1-F7 go on to the main dialog, Shift+F9 runs OnRomEditCommand.
  // Pages that add keys override this and call it for the rest.
  bool PreviewKey(QKeyEvent* event) override;

protected:
  // Runs when the window is built. A page calls the base first, then creates
  // and fills its controls. Returns true.
  virtual bool OnInitDialog();
  // Runs before the controls go: commit what is still being edited.
  virtual void OnDestroyWindow() {}
  // Shift+F9 (command 32774): the handler g_pageRomEditRoute picks for the class.
  virtual void OnRomEditCommand() {
    if (g_pageRomEditRoute != nullptr) g_pageRomEditRoute(*this);
  }

  void customEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

private:
  QSize ClientSize() const;
  void FitBodyToContent();
  void MoveBody();

  int templateId_;
  QSize templateSize_;
  DialogUnits units_;
  QWidget* body_ = nullptr;
  QPointer<CSizeGrip> sizeGrip_;
  QRect gripRect_;
  bool ready_ = false;
  int hRange_ = 0;
  int vRange_ = 0;
  int vMax_ = 0;
  int hMax_ = 0;
  int vPos_ = 0;
  int hPos_ = 0;
};
