#pragma once
// Keeps chosen child windows glued to edges of their parent when it is
// resized: each entry holds the child's distances from the parent's edges
// and which edges it follows.
#include <QPointer>
#include <QWidget>
#include <climits>
#include <vector>

enum AnchorFlags : unsigned {
  ANCHOR_LEFT = 1,
  ANCHOR_RIGHT = 2,
  ANCHOR_TOP = 4,
  ANCHOR_BOTTOM = 8,
  ANCHOR_KEEP_WIDTH = 16,
  ANCHOR_KEEP_HEIGHT = 32,
};

struct AnchorMargins {
  int left;
  int top;
  int right;
  int bottom;
};

// All four margins set to this asks AddAnchor to measure them.
inline constexpr int kAnchorMeasure = INT_MIN;
inline constexpr AnchorMargins kMeasureMargins{kAnchorMeasure, kAnchorMeasure, kAnchorMeasure, kAnchorMeasure};

class CAnchorList {
public:
  struct Entry {
    QPointer<QWidget> window;
    int left, top, right, bottom;
    unsigned flags;
  };

  virtual ~CAnchorList() = default;

  // Registers or updates `child`; flags 0 removes it (false when it was not
  // registered). Contradictory flags (both sides plus keep-size) give false.
  // Measured margins take the child's rectangle from g_pageRect once that
  // is set (the page is about to be moved there), else from the child.
  bool AddAnchor(QWidget* child, AnchorMargins margins, unsigned flags);
  // Moves every anchored child to follow the owner's new client rectangle.
  void Reposition(const QWidget* owner);
  void Clear() { entries_.clear(); }
  const std::vector<Entry>& entries() const { return entries_; }

private:
  std::vector<Entry> entries_;
};
