#pragma once
// A simulated radio behind a real pseudo-terminal: the program opens the
// terminal's path as its serial port and talks to the radio exactly as over
// a cable (echo included). Unpaced, bytes cross at once; paced, each byte
// takes its line time in either direction.
#include <atomic>
#include <cstdint>
#include <deque>
#include <string>
#include <thread>

#include "SimRadio.h"

// 9600 baud, 8 data bits, no parity, 2 stop bits: 11 bits a byte.
inline constexpr double kLineMicrosPerByte9600 = 11.0 * 1e6 / 9600.0;

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

  // Paces the cable (0 = no limit; set before Start): a byte from the
  // program reaches the radio, and its echo the program, only when its line
  // time has passed after the one before; the radio's bytes leave one line
  // time apart.
  void PaceLine(double microsPerByte) { pace_ = microsPerByte; }
  // Bytes that crossed the cable each way (echoes not counted again).
  std::uint64_t BytesFromProgram() const { return fromProgram_; }
  std::uint64_t BytesFromRadio() const { return fromRadio_; }

  // Serves the radio on this thread until stop is set.
  void Serve(const std::atomic<bool>& stop);
  // Serves it on a thread of its own until Stop or destruction; the radio
  // must not be touched meanwhile.
  void Start();
  void Stop();

private:
  // A byte on the line and when its last stop bit is through.
  struct LineByte {
    double due;
    std::uint8_t byte;
  };
  // Puts the radio's new output on its line, after whatever it is still sending.
  void TakeRadioOutput(double now);
  // Queues a byte for the program, in the order the line delivers them.
  void ToProgram(double due, std::uint8_t byte);
  bool WriteAll(const std::uint8_t* data, std::size_t count);

  CSimRadio& radio_;
  int master_ = -1;
  int slave_ = -1;  // held open so the master never sees a hang-up between opens
  std::string path_;
  double pace_ = 0;
  double programLineFree_ = 0;  // when the program's line has sent all it was given
  double radioLineFree_ = 0;
  std::deque<LineByte> toRadio_;
  std::deque<LineByte> toProgram_;
  std::atomic<std::uint64_t> fromProgram_{0};
  std::atomic<std::uint64_t> fromRadio_{0};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};
