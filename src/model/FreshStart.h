#pragma once
#include <new>
// Program-wide state and the fresh start.
//
// A layer keeps its state in the .cpp that owns it and writes one function
// that sets all of it as a fresh start finds it. A FreshStartReset object
// beside that state registers the function and runs it at once, so the
// program starts through the same function that later puts the state back:
// the fresh values are written there and nowhere else, and the globals carry
// no initializer of their own. Because the registration sits in the state's
// own object file, every program that links the state links its reset.
class FreshStartReset {
public:
  using Reset = void (*)();
  explicit FreshStartReset(Reset reset);
  FreshStartReset(const FreshStartReset&) = delete;
  FreshStartReset& operator=(const FreshStartReset&) = delete;
};

// Runs every registered reset, in the order they were registered: all
// program-wide state of every layer linked in is as a fresh start finds it.
void ResetToFreshStart();

// Destroys an object and builds it anew at the same address, so every
// reference to it stays valid (for objects that cannot be assigned).
template <class T>
void BuildAnew(T& object) {
  object.~T();
  new (&object) T();
}
