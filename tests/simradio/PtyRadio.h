#pragma once
// A simulated radio behind a real pseudo-terminal: the program opens the
// terminal's path as its serial port and talks to the radio exactly as over
// a cable (echo included), with no baud limit.
#include <atomic>
#include <string>
#include <thread>

#include "SimRadio.h"

class CPtyRadio {
public:
  explicit CPtyRadio(CSimRadio& radio) : radio_(radio) {}
  ~CPtyRadio();
  CPtyRadio(const CPtyRadio&) = delete;
  CPtyRadio& operator=(const CPtyRadio&) = delete;

  // Creates the pseudo-terminal; false when the system has none to give.
  bool Create();
  // The path the program opens, e.g. /dev/pts/3.
  const std::string& Path() const { return path_; }

  // Serves the radio on this thread until stop is set.
  void Serve(const std::atomic<bool>& stop);
  // Serves it on a thread of its own until Stop or destruction; the radio
  // must not be touched meanwhile.
  void Start();
  void Stop();

private:
  bool WriteAll(const std::uint8_t* data, std::size_t count);

  CSimRadio& radio_;
  int master_ = -1;
  int slave_ = -1;  // held open so the master never sees a hang-up between opens
  std::string path_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
