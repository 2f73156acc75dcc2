#pragma once
// The main dialog's tab control: a row of tabs with the page area below.
// Pages are its children; the most recently created one keeps its right and
// bottom margins when the control is resized.
#include <QTabBar>
#include <QWidget>

#include "framework/AnchorList.h"

class CAnchorTabCtrl : public QWidget {
public:
  explicit CAnchorTabCtrl(QWidget* parent = nullptr);
  QTabBar* TabBar() const { return tabBar_; }
  // The page area below the tabs, in this control's coordinates.
  QRect DisplayRect() const;
  const CAnchorList& Anchors() const { return anchors_; }

protected:
  void childEvent(QChildEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  CAnchorList anchors_;
  QTabBar* tabBar_ = nullptr;
};
