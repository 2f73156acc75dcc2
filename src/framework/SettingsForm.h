#pragma once
// Lays out a settings page the way its template does: columns of boxed
// groups, each under a bold heading, with one row per setting (its label,
// then its control to the right). Positions are in dialog units. A hidden
// row takes no room: its controls exist but are never shown.
#include <QFont>
#include <QLabel>

#include "framework/ScrollablePage.h"

class CSettingsForm {
public:
  struct Metrics {
    int labelWidth = 84;
    int controlWidth = 76;
    int rowPitch = 13;
    int controlHeight = 12;
    int headingHeight = 10;
    int groupGap = 4;
  };

  // `bold` is the heading font; the page keeps it alive.
  CSettingsForm(CScrollablePage& page, const QFont& bold, Metrics metrics);
  CSettingsForm(CScrollablePage& page, const QFont& bold) : CSettingsForm(page, bold, Metrics{}) {}

  // Starts a column at (x, y), `width` wide.
  void Column(int x, int y, int width);
  // A bold heading that opens a box; the rows that follow go inside it.
  QLabel* BeginGroup(int headingId, const char* heading);
  void EndGroup();

  // A label on its own, bold when `bold`; id 0 leaves it unnumbered.
  QLabel* Label(int id, const char* text, int x, int y, int width, bool bold = false);

  // One row: its label and a control of type T. Label id 0 = unnumbered.
  template <class T>
  T* Row(int labelId, const char* label, int controlId, bool hidden = false) {
    QLabel* l = Label(labelId, label, LabelX(), y_ + 2, metrics_.labelWidth);
    T* control = page_.Place<T>(controlId, ControlX(), y_, metrics_.controlWidth, metrics_.controlHeight);
    if (hidden) {
      l->hide();
      control->hide();
    } else {
      y_ += metrics_.rowPitch;
    }
    return control;
  }

private:
  int LabelX() const { return x_ + (inGroup_ ? 6 : 0); }
  int ControlX() const { return LabelX() + metrics_.labelWidth + 2; }

  CScrollablePage& page_;
  QFont bold_;
  Metrics metrics_;
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  bool inGroup_ = false;
  int groupTop_ = 0;
};
