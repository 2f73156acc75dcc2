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

// Faults of a radio in alignment mode besides the planned replies (a planned
// kNak answers an ACK command 0x15, kSilence leaves it unanswered).
enum class SimAlignFault {
  kNeverBack,    // after '8' the radio never comes back
  kStrayBytes,   // noise on the line while it restarts
  kNakAtPowerUp  // it says 0x15 instead of 'P' when it comes on
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
  // While it is off the line picks up a stray byte every `every` (never a
  // streamed block header, never 'P'), as a loose or long cable does.
  void NoiseWhileOff(Micros every) {
    noiseEvery_ = every;
    nextNoise_ = every;
  }
  // How many stray bytes it has put on the line.
  int StrayBytes() const { return strayBytes_; }
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

  // Alignment (SimAlign.cpp). A polled radio enters it with a raw '0' after
  // its 'P'; it then answers the alignment commands of its family.
  void SetFamily(bool portable) { alignPortable_ = portable; }
  void AlignFault(SimAlignFault fault) { alignFaults_.push_back(fault); }
  // How long '8' takes until the radio says 'P' again.
  void SetRestartDelay(Micros delay) { restartDelay_ = delay; }
  // Switched off, it comes on by itself after `delay` and then says 'P'
  // every `every` until the program answers, so a program that opens the
  // port later still sees it power up.
  void ComeOnByItself(Micros delay, Micros every);
  bool Aligning() const { return state_ == State::kAligning; }
  // True between '4' and '5' (or a restart).
  bool Keyed() const { return keyed_; }
  int AlignChannel() const { return alignChannel_; }
  int Restarts() const { return restarts_; }
  // Every alignment command received (command and data, no sum; the
  // portable's raw 0x00 as {0x00}), in order.
  const std::vector<std::vector<std::uint8_t>>& AlignFrames() const { return alignFrames_; }
  // Only the frames of one command.
  std::vector<std::vector<std::uint8_t>> AlignFramesOf(std::uint8_t command) const;

private:
  // kConfig: a streamed radio's command mode for its configuration block;
  // kReceiving: it takes streamed blocks from the PC.
  enum class State { kOff, kWaitingWakeUp, kListening, kStreaming, kConfig, kReceiving, kAligning, kRestarting };

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
  std::optional<Micros> noiseEvery_;
  Micros nextNoise_ = 0;
  int strayBytes_ = 0;
  void AdvanceNoise(Micros now);
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

  // Alignment (SimAlign.cpp).
  bool HasAlignFault(SimAlignFault fault) const;
  static bool IsAlignCommandByte(std::uint8_t byte) { return byte >= '0' && byte <= '?'; }
  void HandleAlignByte(std::uint8_t byte, Micros now);
  void AnswerAlignFrame();
  void AlignAck();
  void AdvanceAlign(Micros now);
  std::optional<Micros> NextAlignEvent() const;
  // 'P', or 0x15 for a radio with that fault.
  std::uint8_t PowerUpByte() const;
  bool alignPortable_ = false;
  Micros alignNow_ = 0;  // when the byte being handled came
  std::vector<SimAlignFault> alignFaults_;
  Micros restartDelay_ = 500'000;
  std::optional<Micros> restartAt_;
  std::optional<Micros> strayAt_;
  std::optional<Micros> repeatPowerUp_;
  std::optional<Micros> nextPowerUp_;
  bool keyed_ = false;
  int alignChannel_ = 0;
  int restarts_ = 0;
  std::uint8_t work_[4] = {};
  std::uint8_t channelValues_[4] = {};
  std::vector<std::vector<std::uint8_t>> alignFrames_;
};
