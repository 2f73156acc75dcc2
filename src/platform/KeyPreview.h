#pragma once
// Keys are offered to the focused control and then to each window around it,
// innermost first, before the focused control handles them; any of them may
// swallow the key. This is how a page keeps Enter and Esc from its controls'
// default handling and how the main dialog sees F2-F7 from inside a page.
#include <QApplication>

class QKeyEvent;

class KeyPreview {
public:
  virtual ~KeyPreview() = default;
  // true: the key is swallowed and reaches nobody else.
  virtual bool PreviewKey(QKeyEvent* event) = 0;
};

// Offers a key press to `receiver` and its ancestors that implement
// KeyPreview. The walk stops at the receiver's window (a drop-down popup
// belongs to the control that opened it); an open menu keeps its keys to
// itself. Returns true when one swallowed it.
bool PreviewKeyPress(QObject* receiver, QKeyEvent* event);

// The program's application object: runs PreviewKeyPress once for every key
// press before it is delivered, and keeps the mouse wheel from changing a
// combo box that does not have the focus (scrolling past a setting must not
// change it; the wheel scrolls the page around it instead), and keeps every
// dialog shown on the screen (KeepDialogOnScreen). Every Qt entry point (the program, the tests) creates this
// instead of a plain QApplication.
class Rp58Application : public QApplication {
public:
  Rp58Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
