#pragma once
// The base of the cell-grid pages (zone table, zone settings, group pages, RF
// channel list, repeaters). It owns the page's CGridBinder and runs what
// every grid page does around it, so a page only places its controls and
// hands its lines to Grid() in BuildGrid:
// - the window built: the binder starts empty, BuildGrid runs, the cells are
//   filled;
// - shown, or RefreshGrid: what is being typed is stored first (it belongs to
//   the items shown until now), then the columns move to FirstShownItem and
//   every cell is rewritten;
// - Tab, Shift+Tab and Enter moving on go to the next or previous control;
//   every other user message goes to the binder;
// - every edit of the page selects its whole text when entered;
// - the window going: what is being typed is stored, the binder forgets its
//   lines.
#include <QFont>

#include "framework/GridBinder.h"
#include "framework/ScrollablePage.h"

class CGridPage : public CScrollablePage {
public:
  CGridBinder& Grid() { return grid_; }
  // Stores what is being typed, then rewrites every cell from the data, the
  // first column showing FirstShownItem(). Nothing while there is no window.
  void RefreshGrid();

  LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam) override;

protected:
  CGridPage(int templateId, QSize templateSize, int fontPoints);

  // Places the page's controls and hands its lines to Grid(); runs each time
  // the window is built.
  virtual void BuildGrid() = 0;
  // The item the first column shows (0 unless the page scrolls).
  virtual int FirstShownItem() const { return 0; }
  // Stores what is typed and not yet stored, as leaving it would: the grid's
  // edit that has the focus. A page with edits outside the grid adds its own.
  virtual void CommitTyping() { grid_.CommitFocusedEdit(); }
  // The bold font of the page's captions.
  const QFont& BoldFont() const { return bold_; }

  bool OnInitDialog() override;
  // A page that keeps pointers to its controls forgets them after this.
  void OnDestroyWindow() override;
  void showEvent(QShowEvent* event) override;
  // A page that filters more events calls this for the rest.
  bool eventFilter(QObject* watched, QEvent* event) override;

  CGridBinder grid_;

private:
  QFont bold_;
};
