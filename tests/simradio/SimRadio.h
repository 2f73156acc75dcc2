#pragma once
// A simulated radio for the tests: it holds a memory image and speaks the
// radio's side of the streamed block protocol and of the 0xF0-0xF3 command
// frames, one byte at a time, with faults to inject. It also takes a send:
// words and blocks written with the frames, or streamed blocks after the
// wake-up, with the configuration-block exchange of the older radios. The cable's echo is not
// the radio's business: the links that carry it (SimLink, CPtyRadio) add it.
#include <atomic>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "model/RadioImage.h"

enum class SimProtocol { kPolled, kStreamed };

enum class SimFault {
  kBadSum,      // the reply's sum is one off
  kBadLength,   // the reply's length byte (streamed: the 0x82 mark) is wrong
  kTruncate,    // the reply stops after its data bytes
  kSilence,     // no reply at all
  kNak,         // a block write is answered 0x15
  kOtherValue,  // a word write is answered with another value than written
  kWrongNumber  // a streamed block carries a number past the radio's last block
};

// One write the radio carried out, in order.
struct SimWrite {
  enum Kind { kWord, kBlock, kStreamBlock } kind;
  int address;  // word address; wire block number (kBlock); block number (kStreamBlock)
  std::uint16_t value = 0;  // kWord: the value written
  bool operator==(const SimWrite&) const = default;
};

struct SimFaultPlan {
  SimFault fault;
  int firstReply;  // the radio's replies are counted from 0
  int count;       // how many replies in a row it spoils
};

class CSimRadio {
public:
  using Micros = std::uint64_t;

  // memory: image layout (word a at bytes 2a (low) and 2a + 1 (high), image
  // block b travelling as wire block b - 2). lastEepromBlock and blockCount
  // give the streamed layout: blocks up to lastEepromBlock go out with each
  // word's bytes swapped, block blockCount - 1 is the adjustment block.
  CSimRadio(SimProtocol protocol, std::vector<std::uint8_t> memory, int lastEepromBlock = 1, int blockCount = 58);

  // Starts switched off: it answers nothing until powered on (the cable
  // still echoes what the program sends), then sends 'P' and waits for the
  // wake-up byte. Without this it is already listening.
  void StartSwitchedOff() { state_ = State::kOff; }
  // Powers on this long after the first byte it hears while off, as a
  // technician would when the program asks.
  void PowerOnAfterFirstByte(Micros delay) { autoPowerOn_ = delay; }
  void PowerOn(Micros now);
  // The user switches the radio off and on: it comes on at the next Advance.
  // Safe to call from another thread than the one serving the radio.
  void RequestPowerCycle() { powerCycle_ = true; }

  void Plan(const SimFaultPlan& plan) { plans_.push_back(plan); }
  // Every write of this word is answered with another value than written,
  // as for a word the radio changes by itself.
  void MisreportWord(int address) { misreported_.push_back(address); }

  // A byte from the PC.
  void Receive(std::uint8_t byte, Micros now);
  // Lets timed events (power-on) happen.
  void Advance(Micros now);
  // When the next timed event is due, if any.
  std::optional<Micros> NextEvent() const;
  // What the radio has sent and nobody has taken yet.
  std::deque<std::uint8_t>& Output() { return output_; }

  std::vector<std::uint8_t>& Memory() { return memory_; }
  int Replies() const { return replies_; }
  int StreamedBlocks() const { return streamedBlocks_; }
  // True once the last streamed block was acknowledged.
  bool StreamFinished() const { return streamFinished_; }
  // Every word and block written to the radio, in order.
  const std::vector<SimWrite>& Writes() const { return writes_; }
  // The word at an EEPROM address, as the radio holds it.
  std::uint16_t Word(int address) const;

private:
  // kConfig: a streamed radio's command mode for its configuration block;
  // kReceiving: it takes streamed blocks from the PC.
  enum class State { kOff, kWaitingWakeUp, kListening, kStreaming, kConfig, kReceiving };

  std::optional<SimFault> PeekFault() const;
  // The fault planned for the reply about to go out; counts the reply.
  std::optional<SimFault> FaultForReply();
  void HandleFrameByte(std::uint8_t byte);
  void AnswerFrame();
  void SendFrame(std::uint8_t cmd, const std::vector<std::uint8_t>& data);
  void SendStreamBlock();
  void ReceiveStreamByte(std::uint8_t byte);
  void HandleConfigByte(std::uint8_t byte);
  std::uint8_t MemoryByte(std::size_t offset) const;

  SimProtocol protocol_;
  std::vector<std::uint8_t> memory_;
  int lastEepromBlock_;
  int blockCount_;
  State state_ = State::kListening;
  std::optional<Micros> autoPowerOn_;
  std::optional<Micros> powerOnAt_;
  std::vector<SimFaultPlan> plans_;
  std::deque<std::uint8_t> output_;
  std::vector<std::uint8_t> frame_;
  int replies_ = 0;
  int streamBlock_ = 0;
  int streamedBlocks_ = 0;
  bool streamFinished_ = false;
  std::vector<SimWrite> writes_;
  std::vector<int> misreported_;
  std::atomic<bool> powerCycle_{false};
  std::size_t restartMatched_ = 0;
};
