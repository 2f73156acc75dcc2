#include "framework/SettingsForm.h"

#include <QGroupBox>

CSettingsForm::CSettingsForm(CScrollablePage& page, const QFont& bold, Metrics metrics)
    : page_(page), bold_(bold), metrics_(metrics) {}

void CSettingsForm::Column(int x, int y, int width) {
  x_ = x;
  y_ = y;
  width_ = width;
  inGroup_ = false;
}

QLabel* CSettingsForm::Label(int id, const char* text, int x, int y, int width, bool bold) {
  auto* label = page_.Place<QLabel>(id, x, y, width, metrics_.headingHeight - 1);
  if (id == 0) label->setObjectName(QString());
  label->setText(QString::fromLatin1(text));
  if (bold) label->setFont(bold_);
  return label;
}

QLabel* CSettingsForm::BeginGroup(int headingId, const char* heading) {
  QLabel* label = Label(headingId, heading, x_ + 4, y_, width_ - 8, true);
  groupTop_ = y_ + metrics_.headingHeight / 2;
  y_ += metrics_.headingHeight + 2;
  inGroup_ = true;
  return label;
}

void CSettingsForm::EndGroup() {
  // The box is drawn behind the heading and the rows, as a group box is.
  auto* box = page_.Place<QGroupBox>(0, x_, groupTop_, width_, y_ + 2 - groupTop_);
  box->setObjectName(QString());
  box->lower();
  y_ += metrics_.groupGap + 2;
  inGroup_ = false;
}
