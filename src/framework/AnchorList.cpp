#include "framework/AnchorList.h"

#include <algorithm>

#include "framework/ScrollablePage.h"

bool CAnchorList::AddAnchor(QWidget* child, AnchorMargins margins, unsigned flags) {
  if (child == nullptr) return false;
  auto found = std::find_if(entries_.begin(), entries_.end(), [child](const Entry& e) { return e.window == child; });
  if (flags == 0) {
    if (found == entries_.end()) return false;
    entries_.erase(found);
    return true;
  }
  const bool bothX = (flags & ANCHOR_LEFT) && (flags & ANCHOR_RIGHT);
  const bool bothY = (flags & ANCHOR_TOP) && (flags & ANCHOR_BOTTOM);
  if ((bothX && (flags & ANCHOR_KEEP_WIDTH)) || (bothY && (flags & ANCHOR_KEEP_HEIGHT))) return false;
  if (margins.left == kAnchorMeasure && margins.top == kAnchorMeasure && margins.right == kAnchorMeasure &&
      margins.bottom == kAnchorMeasure) {
    const QWidget* parent = child->parentWidget();
    if (parent == nullptr) return false;
    const QRect client = parent->rect();
    const QRect r = !g_pageRect.isNull() ? g_pageRect : child->geometry();
    margins = {r.x(), r.y(), client.width() - (r.x() + r.width()), client.height() - (r.y() + r.height())};
  }
  if (found == entries_.end()) found = entries_.insert(entries_.end(), Entry{child, 0, 0, 0, 0, 0});
  *found = Entry{child, margins.left, margins.top, margins.right, margins.bottom, flags};
  return true;
}

void CAnchorList::Reposition(const QWidget* owner) {
  const QRect client = owner->rect();
  for (const Entry& e : entries_) {
    if (e.window.isNull()) continue;
    const QRect g = e.window->geometry();
    // Exclusive right and bottom edges, as the margins are measured.
    int left = g.x(), top = g.y(), right = g.x() + g.width(), bottom = g.y() + g.height();
    const int w = g.width(), h = g.height();
    if (e.flags & ANCHOR_LEFT) {
      left = client.x() + e.left;
      if (e.flags & ANCHOR_KEEP_WIDTH) right = left + w;
    }
    if (e.flags & ANCHOR_RIGHT) {
      right = client.x() + client.width() - e.right;
      if (e.flags & ANCHOR_KEEP_WIDTH) left = right - w;
    }
    if (e.flags & ANCHOR_TOP) {
      top = client.y() + e.top;
      if (e.flags & ANCHOR_KEEP_HEIGHT) bottom = top + h;
    }
    if (e.flags & ANCHOR_BOTTOM) {
      bottom = client.y() + client.height() - e.bottom;
      if (e.flags & ANCHOR_KEEP_HEIGHT) top = bottom - h;
    }
    e.window->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
  }
}
