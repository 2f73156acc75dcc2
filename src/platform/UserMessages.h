#pragma once
// User messages between controls, pages and the main dialog. A message is a
// Qt custom event carrying (msg, wParam, lParam); a window that receives them
// derives from UserMessageTarget and forwards its customEvent() to it.
#include <QEvent>
#include <cstdint>

class QObject;
class QWidget;

using WParam = std::uintptr_t;
using LParam = std::intptr_t;

// The program's one table of user messages. 0x40A carries two meanings: the
// repeat button's step (to a page) and "open the interconnect page" (to the
// main dialog); the receiver tells them apart.
enum UserMessage : unsigned {
  UM_REPEAT_STEP = 0x40A,
  UM_OPEN_INTERCONNECT = 0x40A,
  UM_OPEN_SYSTEM_PAGE = 0x40B,
  UM_OPEN_LTR_ADVANCED = 0x40C,
  UM_OPEN_REPEATER = 0x40D,
  UM_OPEN_LTR_GROUPS = 0x40E,
  UM_OPEN_LTR_GROUPS_ADVANCED = 0x40F,
  UM_OPEN_LTR_GROUPS_BASIC = 0x410,
  UM_OPEN_CONV_GROUPS = 0x411,
  UM_OPEN_CONV_GROUPS_ADVANCED = 0x412,
  UM_OPEN_CONV_GROUPS_BASIC = 0x413,
  UM_NAME_EDITED = 0x414,
  UM_VALUE_EDITED = 0x415,
  UM_TEXT_EDITED = 0x416,
  UM_CHANNEL_DELETED = 0x417,
  UM_MODEL_CHANGED = 0x418,
  UM_CELL_ACTIVATE = 0x419,
  UM_NEXT_CONTROL = 0x41A,
  UM_NEXT_CONTROL_2 = 0x41B,
  UM_LIST_CHOSEN = 0x41C,
  UM_BUTTON_ENTER = 0x41D,
  UM_PREV_CONTROL = 0x41E,
  UM_BUTTON_KILLFOCUS = 0x41F,
  UM_LIST_TAB = 0x420,
};

class UserMessageEvent : public QEvent {
public:
  UserMessageEvent(unsigned msg, WParam wParam, LParam lParam);
  static QEvent::Type EventType();

  unsigned msg;
  WParam wParam;
  LParam lParam;
  LParam result = 0;
};

// Mixin for every window that handles user messages. The window overrides
// customEvent() with:  if (!DeliverUserMessage(e)) Base::customEvent(e);
class UserMessageTarget {
public:
  virtual ~UserMessageTarget() = default;
  virtual LParam OnUserMessage(unsigned msg, WParam wParam, LParam lParam);

protected:
  // Returns true when the event was a user message (and handles it).
  bool DeliverUserMessage(QEvent* event);
};

// Handled before SendUserMessage returns; the handler's result comes back.
// A null target sends nothing and gives 0.
LParam SendUserMessage(QObject* target, unsigned msg, WParam wParam, LParam lParam);
// Handled later, from the event loop; dropped if the target is destroyed
// first. Use it when the receiver destroys the sender.
void PostUserMessage(QObject* target, unsigned msg, WParam wParam, LParam lParam);

// The window a control reports to: the nearest ancestor that handles user
// messages (controls sit inside a page's body widget, not on the page itself),
// else the control's parent.
QWidget* NotifyTargetOf(const QWidget* control);
