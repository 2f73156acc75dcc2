#include "framework/AnchorTabCtrl.h"

#include <QChildEvent>

CAnchorTabCtrl::CAnchorTabCtrl(QWidget* parent) : QWidget(parent) {
  tabBar_ = new QTabBar(this);
  tabBar_->setDrawBase(true);
  tabBar_->setExpanding(false);
}

QRect CAnchorTabCtrl::DisplayRect() const {
  const int top = tabBar_->sizeHint().height();
  return QRect(0, top, width(), std::max(0, height() - top));
}

void CAnchorTabCtrl::childEvent(QChildEvent* event) {
  QWidget::childEvent(event);
  // tabBar_ is still null while the tab row itself is being added.
  if (event->type() != QEvent::ChildAdded || !event->child()->isWidgetType() || tabBar_ == nullptr ||
      event->child() == tabBar_)
    return;
  // Only the page just created is anchored.
  anchors_.Clear();
  anchors_.AddAnchor(static_cast<QWidget*>(event->child()), kMeasureMargins, ANCHOR_RIGHT | ANCHOR_BOTTOM);
}

void CAnchorTabCtrl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  tabBar_->setGeometry(0, 0, width(), tabBar_->sizeHint().height());
  anchors_.Reposition(this);
}
