#include "platform/QtMessageSink.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/Beep.h"

namespace {
QMessageBox::StandardButtons ButtonsFor(unsigned style) {
  switch (style & 0x0F) {
    case kMsgOkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case kMsgYesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case kMsgYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    default:
      return QMessageBox::Ok;
  }
}

QMessageBox::Icon IconFor(unsigned style) {
  switch (style & 0xF0) {
    case kMsgIconError:
      return QMessageBox::Critical;
    case kMsgIconQuestion:
      return QMessageBox::Question;
    case kMsgIconWarning:
      return QMessageBox::Warning;
    case kMsgIconInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

int ResultFor(QMessageBox::StandardButton button, unsigned style) {
  switch (button) {
    case QMessageBox::Ok:
      return kIdOk;
    case QMessageBox::Yes:
      return kIdYes;
    case QMessageBox::No:
      return kIdNo;
    case QMessageBox::Cancel:
      return kIdCancel;
    default:
      // Closed without a button: what Esc would have chosen.
      switch (style & 0x0F) {
        case kMsgOk:
          return kIdOk;
        case kMsgYesNo:
          return kIdNo;
        default:
          return kIdCancel;
      }
  }
}
}  // namespace

int QtMessageSink::Show(const std::string& text, const std::string& caption, unsigned style) {
  MessageBeep();
  QString title = QString::fromStdString(caption);
  if (title.isEmpty()) title = QCoreApplication::applicationName();
  if (title.isEmpty()) title = QStringLiteral("RP58");
  QMessageBox box(IconFor(style), title, QString::fromStdString(text), ButtonsFor(style), QApplication::activeWindow());
  // The texts are shown as worded; a '<' must never turn them into markup.
  box.setTextFormat(Qt::PlainText);
  const auto buttons = ButtonsFor(style);
  box.setDefaultButton(buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok);
  box.exec();
  return ResultFor(box.standardButton(box.clickedButton()), style);
}

void InstallQtMessageSink() {
  static QtMessageSink sink;
  SetMessageSink(&sink);
}
