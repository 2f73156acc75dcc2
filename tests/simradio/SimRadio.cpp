#include "SimRadio.h"

#include <algorithm>
#include <iterator>

namespace {
constexpr std::uint8_t kStreamHeader = 0x21;
constexpr std::uint8_t kStreamMark = 0x82;
constexpr std::uint8_t kRequest = 0x70;
constexpr std::uint8_t kStreamWakeUp = 0x20;
constexpr std::uint8_t kPolledWakeUp = 0x40;
constexpr std::uint8_t kAckByte = 0x06;
constexpr std::uint8_t kNakByte = 0x15;
// Streamed radios: what starts the command mode and the receiving of blocks,
// and what restarts the radio from the command mode.
constexpr std::uint8_t kStreamConfigMode = 0x30;
constexpr std::uint8_t kStreamReceive = 0x60;
constexpr std::uint8_t kStreamRestart[3] = {0x38, 0x01, 0x39};
constexpr std::size_t kStreamFrameSize = 3 + kBlockSize + 1;
}  // namespace

CSimRadio::CSimRadio(SimProtocol protocol, std::vector<std::uint8_t> memory, int lastEepromBlock, int blockCount)
    : protocol_(protocol), memory_(std::move(memory)), lastEepromBlock_(lastEepromBlock), blockCount_(blockCount) {
  if (memory_.size() < kImageBufferSize) memory_.resize(kImageBufferSize, 0xFF);
}

void CSimRadio::PowerOn(Micros now) {
  powerOnAt_.reset();
  if (repeatPowerUp_) nextPowerUp_ = now + *repeatPowerUp_;
  state_ = State::kWaitingWakeUp;
  frame_.clear();
  output_.push_back(PowerUpByte());
}

void CSimRadio::Advance(Micros now) {
  AdvanceNoise(now);
  if (powerCycle_.exchange(false) || (powerOnAt_ && *powerOnAt_ <= now)) PowerOn(now);
  AdvanceAlign(now);
}

void CSimRadio::AdvanceNoise(Micros now) {
  if (!noiseEvery_) return;
  // Bytes that mean nothing to either protocol's reader.
  static constexpr std::uint8_t kNoise[] = {0x5A, 0x00, 0xFF, 0x13, 0x82, 0x7E, 0x06, 0x15};
  for (; nextNoise_ <= now; nextNoise_ += *noiseEvery_) {
    if (state_ != State::kOff) {
      nextNoise_ += (now - nextNoise_) / *noiseEvery_ * *noiseEvery_;
      continue;
    }
    output_.push_back(kNoise[static_cast<std::size_t>(strayBytes_) % std::size(kNoise)]);
    ++strayBytes_;
  }
}

std::optional<CSimRadio::Micros> CSimRadio::NextEvent() const {
  std::optional<Micros> next = NextAlignEvent();
  auto take = [&next](std::optional<Micros> at) {
    if (at && (!next || *at < *next)) next = at;
  };
  take(powerOnAt_);
  if (noiseEvery_ && state_ == State::kOff) take(nextNoise_);
  return next;
}

std::optional<SimFault> CSimRadio::FaultForReply() {
  const std::optional<SimFault> fault = PeekFault();
  ++replies_;
  return fault;
}

std::optional<SimFault> CSimRadio::PeekFault() const {
  for (const SimFaultPlan& plan : plans_)
    if (replies_ >= plan.firstReply && replies_ < plan.firstReply + plan.count) return plan.fault;
  return std::nullopt;
}

std::uint8_t CSimRadio::MemoryByte(std::size_t offset) const {
  return offset < memory_.size() ? memory_[offset] : 0xFF;
}

void CSimRadio::Receive(std::uint8_t byte, Micros now) {
  switch (state_) {
    case State::kOff:
      if (autoPowerOn_ && !powerOnAt_) powerOnAt_ = now + *autoPowerOn_;
      return;
    case State::kWaitingWakeUp:
      if (protocol_ == SimProtocol::kPolled) {
        if (byte == kPolledWakeUp) state_ = State::kListening;
        if (byte == kStreamConfigMode) {  // the raw '0' of alignment mode
          state_ = State::kAligning;
          frame_.clear();
        }
        return;
      }
      if (byte == kStreamWakeUp) {
        state_ = State::kListening;
        return;
      }
      if (byte == kStreamConfigMode) {
        state_ = State::kConfig;
        frame_.clear();
        restartMatched_ = 0;
        return;
      }
      [[fallthrough]];  // a streamed radio also starts on a bare request
    case State::kListening:
      if (protocol_ == SimProtocol::kPolled) {
        HandleFrameByte(byte);
      } else if (byte == kStreamReceive) {
        state_ = State::kReceiving;
        frame_.clear();
      } else if (byte == kRequest) {
        state_ = State::kStreaming;
        streamBlock_ = 0;
        streamFinished_ = false;
        SendStreamBlock();
      }
      return;
    case State::kStreaming:
      if (byte == kAckByte) {
        if (++streamBlock_ >= blockCount_) {
          streamFinished_ = true;
          state_ = State::kListening;
          return;
        }
        SendStreamBlock();
      } else if (byte == kNakByte) {
        SendStreamBlock();
      }
      return;
    case State::kConfig:
      HandleConfigByte(byte);
      return;
    case State::kReceiving:
      ReceiveStreamByte(byte);
      return;
    case State::kAligning:
      HandleAlignByte(byte, now);
      return;
    case State::kRestarting:
      return;
  }
}

std::uint16_t CSimRadio::Word(int address) const {
  const std::size_t at = 2 * static_cast<std::size_t>(address);
  return static_cast<std::uint16_t>(MemoryByte(at + 1) << 8 | MemoryByte(at));
}

void CSimRadio::HandleConfigByte(std::uint8_t byte) {
  if (frame_.empty()) {
    if (byte == kStreamRestart[restartMatched_]) {
      if (++restartMatched_ == sizeof kStreamRestart) {
        // The radio restarts and says so.
        restartMatched_ = 0;
        state_ = State::kWaitingWakeUp;
        output_.push_back('P');
      }
      return;
    }
    restartMatched_ = 0;
  }
  HandleFrameByte(byte);
}

void CSimRadio::ReceiveStreamByte(std::uint8_t byte) {
  if (frame_.empty() && (byte & 0xF0) != 0x20) return;  // waiting for a block header
  frame_.push_back(byte);
  if (frame_.size() < kStreamFrameSize) return;
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i + 1 < frame_.size(); ++i) sum = static_cast<std::uint8_t>(sum + frame_[i]);
  const bool good = frame_[1] == kStreamMark && sum == frame_.back();
  const int number = frame_[2];
  const std::optional<SimFault> fault = FaultForReply();
  if (fault == SimFault::kSilence) {
    frame_.clear();
    return;
  }
  if (!good || fault == SimFault::kNak) {
    frame_.clear();
    output_.push_back(kNakByte);
    return;
  }
  const std::size_t base = kBlockSize * static_cast<std::size_t>(number);
  for (std::size_t i = 0; i < kBlockSize && base + i < memory_.size(); ++i) {
    // EEPROM blocks come with the bytes of each word swapped, as they go out.
    const std::size_t to = number <= lastEepromBlock_ ? (i ^ 1) : i;
    memory_[base + to] = frame_[3 + i];
  }
  writes_.push_back({SimWrite::kStreamBlock, number});
  frame_.clear();
  output_.push_back(kAckByte);
}

void CSimRadio::SendStreamBlock() {
  const std::optional<SimFault> fault = FaultForReply();
  if (fault == SimFault::kSilence) return;
  ++streamedBlocks_;
  std::uint8_t number = static_cast<std::uint8_t>(streamBlock_);
  if (fault == SimFault::kWrongNumber) number = static_cast<std::uint8_t>(blockCount_ + 5);
  const std::uint8_t mark = fault == SimFault::kBadLength ? kStreamMark + 1 : kStreamMark;
  std::uint8_t sum = static_cast<std::uint8_t>(kStreamHeader + mark + number);
  output_.push_back(kStreamHeader);
  output_.push_back(mark);
  output_.push_back(number);
  const std::size_t base = kBlockSize * static_cast<std::size_t>(streamBlock_);
  for (std::size_t i = 0; i < kBlockSize; ++i) {
    // EEPROM blocks go out with the bytes of each word swapped.
    const std::size_t from = streamBlock_ <= lastEepromBlock_ ? (i ^ 1) : i;
    const std::uint8_t b = MemoryByte(base + from);
    output_.push_back(b);
    sum = static_cast<std::uint8_t>(sum + b);
  }
  if (fault == SimFault::kTruncate) return;
  output_.push_back(fault == SimFault::kBadSum ? static_cast<std::uint8_t>(sum + 1) : sum);
}

void CSimRadio::HandleFrameByte(std::uint8_t byte) {
  // Not a command: noise or a stray echo.
  if (frame_.empty() && (byte < 0xF0 || byte > 0xF3) && !(state_ == State::kAligning && IsAlignCommandByte(byte))) return;
  frame_.push_back(byte);
  if (frame_.size() < 2) return;
  const std::size_t whole = static_cast<std::size_t>(frame_[1]) + 2;
  if (frame_.size() < whole) return;
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i + 1 < whole; ++i) sum = static_cast<std::uint8_t>(sum + frame_[i]);
  if (sum == frame_.back()) {
    if (frame_[0] < 0xF0)
      AnswerAlignFrame();
    else
      AnswerFrame();
  }
  frame_.clear();
}

void CSimRadio::AnswerFrame() {
  const std::uint8_t cmd = frame_[0];
  const std::uint8_t len = frame_[1];
  switch (cmd) {
    case 0xF0: {
      if (len != 2) return;
      const std::size_t a = frame_[2];
      SendFrame(cmd, {MemoryByte(2 * a + 1), MemoryByte(2 * a)});
      return;
    }
    case 0xF1: {
      if (len != 4) return;
      const std::size_t a = frame_[2];
      memory_[2 * a + 1] = frame_[3];
      memory_[2 * a] = frame_[4];
      writes_.push_back({SimWrite::kWord, static_cast<int>(a), static_cast<std::uint16_t>(frame_[3] << 8 | frame_[4])});
      // The reply is built first so a planned fault can change what it carries.
      std::vector<std::uint8_t> reply{frame_[3], frame_[4]};
      const bool misreported = std::find(misreported_.begin(), misreported_.end(), static_cast<int>(a)) != misreported_.end();
      if (PeekFault() == SimFault::kOtherValue || misreported) reply[1] = static_cast<std::uint8_t>(reply[1] + 1);
      SendFrame(cmd, reply);
      return;
    }
    case 0xF2: {
      if (len != 2) return;
      const std::size_t base = kBlockSize * (static_cast<std::size_t>(frame_[2]) + 2);
      std::vector<std::uint8_t> data(kBlockSize);
      for (std::size_t i = 0; i < kBlockSize; ++i) data[i] = MemoryByte(base + i);
      SendFrame(cmd, data);
      return;
    }
    case 0xF3: {
      if (len != 0x82) return;
      const std::size_t base = kBlockSize * (static_cast<std::size_t>(frame_[2]) + 2);
      const std::optional<SimFault> fault = FaultForReply();
      if (fault == SimFault::kSilence) return;
      if (fault == SimFault::kNak) {
        output_.push_back(kNakByte);
        return;
      }
      for (std::size_t i = 0; i < kBlockSize && base + i < memory_.size(); ++i) memory_[base + i] = frame_[3 + i];
      writes_.push_back({SimWrite::kBlock, frame_[2]});
      output_.push_back(kAckByte);
      return;
    }
    default:
      return;
  }
}

void CSimRadio::SendFrame(std::uint8_t cmd, const std::vector<std::uint8_t>& data) {
  const std::optional<SimFault> fault = FaultForReply();
  if (fault == SimFault::kSilence) return;
  std::uint8_t len = static_cast<std::uint8_t>(data.size() + 1);
  if (fault == SimFault::kBadLength) ++len;
  std::uint8_t sum = static_cast<std::uint8_t>(cmd + len);
  output_.push_back(cmd);
  output_.push_back(len);
  for (const std::uint8_t b : data) {
    output_.push_back(b);
    sum = static_cast<std::uint8_t>(sum + b);
  }
  if (fault == SimFault::kTruncate) return;
  output_.push_back(fault == SimFault::kBadSum ? static_cast<std::uint8_t>(sum + 1) : sum);
}
