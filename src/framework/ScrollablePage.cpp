#include "framework/ScrollablePage.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

#include "framework/TextFit.h"
#include "model/FreshStart.h"

// Set by the fresh start below.
bool g_takePageSize;
QRect g_refPageRect;
PageRomEditRoute g_pageRomEditRoute;
QRect g_pageRect;

namespace {
// No page measured or placed yet, no Shift+F9 routing installed.
void FreshPageFrame() {
  g_takePageSize = false;
  g_refPageRect = QRect();
  g_pageRomEditRoute = nullptr;
  g_pageRect = QRect();
}
const FreshStartReset kFreshStart(&FreshPageFrame);
}  // namespace

CScrollablePage::CScrollablePage(int templateId, QSize templateSize, QWidget* parent, int fontPoints)
    : QAbstractScrollArea(parent), templateId_(templateId), templateSize_(templateSize), units_(DialogFont(fontPoints)) {
  setFont(DialogFont(fontPoints));
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  hide();
}

CScrollablePage::~CScrollablePage() { delete body_; }

bool CScrollablePage::Create(QWidget* parent) {
  if (body_ != nullptr) return false;
  setParent(parent);
  body_ = new QWidget(viewport());
  body_->resize(units_.ToPixels(0, 0, templateSize_.width(), templateSize_.height()).size());
  body_->show();
  // The window starts at its template size, as a dialog made from a template does.
  resize(body_->size());
  OnInitDialog();
  FitTextsToContent(body_);
  FitBodyToContent();
  UpdateScrollRanges();
  return true;
}

QSize CScrollablePage::ScrollExtent() const {
  QSize extent = g_refPageRect.size();
  if (body_ != nullptr) {
    const QRect controls = body_->childrenRect();
    if (!controls.isEmpty()) extent = extent.expandedTo(QSize(controls.right() + 1, controls.bottom() + 1));
  }
  return extent;
}

void CScrollablePage::FitBodyToContent() {
  if (body_ == nullptr) return;
  const QSize templatePixels = units_.ToPixels(0, 0, templateSize_.width(), templateSize_.height()).size();
  const QRect controls = body_->childrenRect();
  QSize size = templatePixels;
  if (!controls.isEmpty()) size = size.expandedTo(QSize(controls.right() + 1, controls.bottom() + 1));
  if (body_->size() != size) body_->resize(size);
}

void CScrollablePage::DestroyWindow() {
  if (body_ == nullptr) return;
  OnDestroyWindow();
  ready_ = false;
  hide();
  QWidget* body = body_;
  body_ = nullptr;
  body->hide();
  body->setParent(nullptr);
  body->deleteLater();
  delete sizeGrip_.data();
  // A later Create() is a new child of the tab control again.
  setParent(nullptr);
}

QSize CScrollablePage::ClientSize() const {
  // Until the page is shown Qt has not laid out the viewport; the client
  // area is then the whole page (no scroll bar is shown yet).
  return isVisible() ? viewport()->size() : size();
}

bool CScrollablePage::OnInitDialog() {
  vPos_ = hPos_ = 0;
  const QSize client = ClientSize();
  if (g_takePageSize) {
    g_refPageRect = QRect(QPoint(0, 0), client);
    g_takePageSize = false;
  }
  sizeGrip_ = new CSizeGrip(this);
  sizeGrip_->hide();  // a page's grip is never shown; the main dialog has its own
  gripRect_ = QRect(client.width() - sizeGrip_->width(), client.height() - sizeGrip_->height(), sizeGrip_->width(),
                    sizeGrip_->height());
  sizeGrip_->setGeometry(gripRect_);
  ready_ = true;
  ResetScroll();
  UpdateScrollRanges();
  return true;
}

void CScrollablePage::ResetScroll() {
  hPos_ = vPos_ = 0;
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  MoveBody();
}

void CScrollablePage::UpdateScrollRanges() {
  const QSize extent = ScrollExtent();
  // A page that has grown to show everything needs no scroll bars, although
  // the bars of its smaller size still narrow the viewport.
  const QSize client = extent.boundedTo(size()) == extent ? size() : ClientSize();
  // Integer division truncates toward zero, so a page larger than the
  // reference gets a negative extent and no scrolling. Controls reaching
  // past the reference round up, so the last of them can be scrolled into
  // view whole.
  auto range = [](int ref, int content, int client, int unit) {
    if (content > ref && content > client) return (content - client + unit - 1) / unit;
    return (ref - client) / unit;
  };
  hRange_ = range(g_refPageRect.width(), extent.width(), client.width(), 8);
  vRange_ = range(g_refPageRect.height(), extent.height(), client.height(), 4);
  hMax_ = std::max(hRange_, 0);
  hPos_ = std::min(hMax_, hPos_);
  vMax_ = std::max(vRange_, 0);
  vPos_ = std::min(vMax_, vPos_);
  // Page up/down jumps by the whole vertical extent; across it is 8 units.
  horizontalScrollBar()->setSingleStep(1);
  horizontalScrollBar()->setPageStep(8);
  verticalScrollBar()->setSingleStep(1);
  verticalScrollBar()->setPageStep(std::max(vRange_, 1));
  horizontalScrollBar()->setRange(0, hMax_);
  horizontalScrollBar()->setValue(hPos_);
  verticalScrollBar()->setRange(0, vMax_);
  verticalScrollBar()->setValue(vPos_);
  MoveBody();
  if (sizeGrip_ != nullptr && !window()->isMaximized()) sizeGrip_->MoveToCorner(QRect(QPoint(0, 0), client));
}

void CScrollablePage::MoveBody() {
  if (body_ != nullptr) body_->move(-8 * hPos_, -4 * vPos_);
}

void CScrollablePage::scrollContentsBy(int, int) {
  hPos_ = horizontalScrollBar()->value();
  vPos_ = verticalScrollBar()->value();
  MoveBody();
}

void CScrollablePage::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  // Every size change returns the page to its origin.
  if (ready_) {
    ResetScroll();
    UpdateScrollRanges();
  }
}

bool CScrollablePage::event(QEvent* event) {
  const bool handled = QAbstractScrollArea::event(event);
  // resizeEvent() follows the viewport only; a page made again where its
  // last window was keeps the viewport's size and would keep the ranges of
  // its template size.
  if (event->type() == QEvent::Resize && ready_) {
    ResetScroll();
    UpdateScrollRanges();
  }
  return handled;
}

void CScrollablePage::customEvent(QEvent* event) {
  if (!DeliverUserMessage(event)) QAbstractScrollArea::customEvent(event);
}

bool CScrollablePage::PreviewKey(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_F9 && (event->modifiers() & Qt::ShiftModifier)) {
    OnRomEditCommand();
    return true;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) return true;
  // F1-F7 and everything else go on: the main dialog switches tabs on F2-F7.
  return false;
}
