#include "framework/SizeGrip.h"

#include "platform/ControlIds.h"

CSizeGrip::CSizeGrip(QWidget* parent) : QSizeGrip(parent) {
  SetControlId(this, kSizeGripId);
  resize(sizeHint());
}

void CSizeGrip::MoveToCorner(const QRect& client) {
  move(client.x() + client.width() - width(), client.y() + client.height() - height());
}
