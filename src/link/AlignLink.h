#pragma once
// The alignment link: a radio in alignment mode takes short framed commands
// (command, length, data, sum) over the same echoing cable as the clone.
// Every byte goes out on its own with its echo read back and a 2 ms pause;
// each command has its own reply, retry and pause rule, kept as data in
// AlignLink.cpp. Results are the small codes below, passed up unchanged.
#include <cstdint>
#include <initializer_list>

#include "link/CloneLink.h"
#include "model/RadioImage.h"

enum AlignResult : int {
  kAlignOk = 0,
  kAlignIoError = 1,        // a read or write failed; EnterAlignMode: Esc
  kAlignTimeout = 2,        // no byte in time, or not written; ReadAlignByte: Esc
  kAlignNoRestart = -2,     // the radio did not come back within 20 s of a restart
  kAlignWrongReply = -3,    // not ACK, a wrong frame byte or sum, or 0x15 instead of 'P'
  kAlignUploadCancelled = -4,
  kAlignValueMismatch = -5  // a word write echoed other value bytes than sent
};

enum AlignCommand : std::uint8_t {
  kAlignSelectChannel = '0',
  kAlignReadMeter = '1',
  kAlignLoadWork = '2',
  kAlignLoadChannel = '3',
  kAlignKey = '4',
  kAlignEndItem = '5',
  kAlignItem6 = '6',
  kAlignItem7 = '7',
  kAlignRestart = '8',
  kAlignItem9 = '9',
  kAlignLoadItem = ';',
  kAlignConfirm = '>',
  kAlignSwitch = '?',
};

// '?' arguments.
inline constexpr std::uint8_t kAlignSwitchOn = 0x37;
inline constexpr std::uint8_t kAlignSwitchOff = 0x01;
// Meter bytes a '1' reply carries.
constexpr int AlignMeterBytes(Family family) { return family == kPortable ? 4 : 8; }
inline constexpr std::uint32_t kAlignRestartLimitMicros = 20'000'000;

// Sum of command, length and the length - 1 data bytes of a frame buffer
// (command at 0, length at 1, data from 2; the sum itself is not stored).
std::uint8_t FrameChecksum(const std::uint8_t* frame);
// Data bytes a command takes in a family's frame; -1 for no such command.
int AlignArgCount(std::uint8_t command, Family family);

class CAlignLink {
public:
  CAlignLink(CCloneLink& link, Family family) : link_(link), family_(family) {}

  CCloneLink& Clone() { return link_; }
  Family GetFamily() const { return family_; }
  // The start switches to the family of the radio it found.
  void SetFamily(Family family) { family_ = family; }

  // Byte primitives, each with its own time-out in milliseconds.
  int ReadCommByte(std::uint8_t& byte, std::uint32_t millis);
  int WriteCommByte(std::uint8_t byte, std::uint32_t millis);
  // Waits as long as it takes for one byte; kAlignTimeout means Esc.
  int ReadAlignByte(std::uint8_t& byte) { return link_.RecoverReadByte(byte); }
  // Drops what is waiting until one read of `millis` finds nothing.
  void Drain(std::uint32_t millis);
  void Sleep(std::uint32_t millis) { link_.Sleep(millis); }

  // Sends a frame byte by byte with the echo of each; reads no reply.
  int SendAlignFrame(const std::uint8_t* frame);

  // Words first..last into buffer (word a: low byte at 2a, high at 2a + 1).
  int ReadAlignWords(int first, int last, std::uint8_t* buffer);
  int ReadRadioBlock(std::uint8_t wireBlock, std::uint8_t* destination);
  int WriteAlignWord(std::uint8_t address, std::uint16_t value);
  int WriteAlignBlock(std::uint8_t wireBlock, const std::uint8_t* data);
  // Writes the sum of words low..high into checksumWord and, once the radio
  // took it, into the buffer; a failure shows "!! communication error !!".
  int UpdateChecksumWord(std::uint8_t* words, int checksumWord, int low, int high);

  // Waits for the radio's 'P' and answers the raw '0' that puts it into
  // alignment mode. 0, kAlignIoError on Esc, -3 on 0x15, or a write error.
  int EnterAlignMode();
  // After '8': waits for 'P' (20 s at most), raw '0', then '>'.
  int WaitRadioRestart();

  // One command of the set with the family's rule; args must be the
  // command's argument count for the family. reply receives the meter bytes.
  int Command(std::uint8_t command, std::initializer_list<std::uint8_t> args = {}, std::uint8_t* reply = nullptr);
  int SelectChannel(int channel);
  int ReadMeter(std::uint8_t* values) { return Command(kAlignReadMeter, {}, values); }
  // The portable's unframed 0x00 ahead of some commands.
  int SendRawZero();
  // '8', and when asked the restart wait.
  int Restart(bool wait);

private:
  int Exchange(std::uint8_t command, const std::uint8_t* frame, std::uint8_t* reply);
  int ReadMeterReply(std::uint8_t command, std::uint8_t* reply);

  CCloneLink& link_;
  Family family_;
};
