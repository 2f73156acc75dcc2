#pragma once
// The clone link: single bytes with fixed time-outs over the single-wire
// programming cable (which echoes every byte sent), and the checksummed
// frame with the four memory commands 0xF0-0xF3.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "link/CloneStatus.h"
#include "link/LinkClock.h"
#include "link/SerialPort.h"

// Results of the byte primitives and the frame commands.
enum LinkResult : int {
  kLinkOk = 0,
  kLinkFailed = 1,   // the device failed, a wrong byte or a bad sum
  kLinkTimeout = 2,  // no byte within the time-out (RecoverReadByte: Esc)
};

// Results of a whole transfer.
enum TransferResult : int {
  kTransferDone = 0,
  kTransferAborted = 1,  // the user pressed Esc
  kTransferFailed = 2,   // the reason has been shown
};

inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;

enum CloneCommand : std::uint8_t {
  kCmdReadWord = 0xF0,
  kCmdWriteWord = 0xF1,
  kCmdReadBlock = 0xF2,
  kCmdWriteBlock = 0xF3,
};

// Set after a transfer completed; the commands that run the clone dialog look
// at it when the dialog has closed.
extern bool g_cloneOk;
// The password this program knows the radio by; all zero means none.
extern std::array<std::uint8_t, 8> g_radioPassword;

// Image block b travels as wire block (b - 2) modulo 256: blocks 0 and 1 are
// the EEPROM, which moves as words.
constexpr std::uint8_t WireBlockOf(int imageBlock) { return static_cast<std::uint8_t>(imageBlock - 2); }

class CCloneLink {
public:
  // cancel is the user's Esc: set from anywhere, seen at every poll.
  CCloneLink(ISerialPort& port, ILinkClock& clock, const std::atomic<bool>& cancel, ICloneStatus& status);

  ISerialPort& Port() { return port_; }
  ILinkClock& Clock() { return clock_; }
  ICloneStatus& Status() { return status_; }

  // Opens the port; on failure shows "Open err" (with the port's reason on a
  // second line) and returns false.
  bool OpenCommPort();
  void CloseCommPort();

  // One byte, then the pause the radio needs between bytes.
  bool SendByte(std::uint8_t byte);
  // A whole buffer in one write, no pause.
  bool SendBytes(const std::uint8_t* data, std::size_t count);
  int ReadByte(std::uint8_t& byte);
  int ReadByteLong(std::uint8_t& byte);
  // One byte, waiting no later than the deadline on the link's clock (at
  // least a millisecond, so a byte already there is still taken).
  int ReadByteBefore(std::uint8_t& byte, std::uint64_t deadlineMicros);
  // Waits for one byte as long as it takes; kLinkTimeout means Esc.
  int RecoverReadByte(std::uint8_t& byte);
  // True when the user asked to stop.
  bool PollEscape();
  void DelayMicroseconds(std::uint32_t micros);
  void Sleep(std::uint32_t millis);

  int SendFrame(std::uint8_t cmd, std::uint8_t len, const std::uint8_t* data);
  int ReceiveFrame(std::uint8_t cmd, std::uint8_t len, std::uint8_t* data);

  int ReadWord(std::uint8_t address, std::uint16_t& word);
  int WriteWord(std::uint8_t address, std::uint16_t value, bool noVerify);
  // block: 128 bytes.
  int ReadBlock(std::uint8_t wireBlock, std::uint8_t* block);
  // frame: the wire block number, then 128 data bytes.
  int WriteBlock(const std::uint8_t* frame);

  // Reads and drops whatever is still arriving of a garbled reply, until the
  // line has been quiet for a short read time-out, so the next command's
  // reply is not read out of step.
  void DiscardReply();

  // Steps shared by the read and the send.
  // Asks the user to switch the radio off and on and waits for its 'P'.
  // kTransferDone once it came, kTransferAborted on Esc, kTransferFailed when
  // the port failed (the lead message is then shown).
  int AwaitPowerOn(const std::string& line2, int comPortIndex);
  // The polled radio's wake-up: AwaitPowerOn, then the byte that tells it
  // the PC is there, and both status lines cleared. Same results.
  int AwakePolledRadio(const std::string& line2, int comPortIndex);
  // Beeps and shows "Check that lead is" / "connected to COM<n>".
  int ReportLeadFailure(int comPortIndex);
  // Beeps, shows the text in status line 1 and gives kTransferFailed.
  int ReportFailure(const std::string& line1);
  // A failed exchange that the caller will try again: failures (result 1)
  // count against limit and drop what is left of the garbled reply;
  // time-outs count in their own tally against the same limit, so a radio
  // that has gone quiet is not asked for ever. kTransferDone to try again,
  // kTransferFailed with the text shown once the limit is passed.
  int CountRetry(int linkResult, int& failures, int& timeouts, int limit, const std::string& failText);
  // "Receive block %i / %i" and its kin.
  void ShowBlockCounter(const char* format, int block, int total);

private:
  int ReadOne(const CommTimeouts& timeouts, std::uint8_t& byte);
  // Reads and drops up to count echo bytes.
  void DropEcho(std::size_t count);

  ISerialPort& port_;
  ILinkClock& clock_;
  const std::atomic<bool>& cancel_;
  ICloneStatus& status_;
};
