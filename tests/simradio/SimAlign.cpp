// The simulated radio's alignment mode: framed commands '0'..'?' besides the
// memory frames, ACK replies, a meter that follows the values loaded last,
// and the restart of '8'.
#include <algorithm>

#include "SimRadio.h"

namespace {
constexpr std::uint8_t kAckByte = 0x06;
constexpr std::uint8_t kNakByte = 0x15;
constexpr std::uint8_t kRawZero = 0x00;
constexpr CSimRadio::Micros kStrayEvery = 7'000;

}  // namespace

void CSimRadio::ComeOnByItself(Micros delay, Micros every) {
  state_ = State::kOff;
  powerOnAt_ = delay;
  repeatPowerUp_ = every;
}

bool CSimRadio::HasAlignFault(SimAlignFault fault) const {
  return std::find(alignFaults_.begin(), alignFaults_.end(), fault) != alignFaults_.end();
}

std::uint8_t CSimRadio::PowerUpByte() const { return HasAlignFault(SimAlignFault::kNakAtPowerUp) ? kNakByte : 'P'; }

std::vector<std::vector<std::uint8_t>> CSimRadio::AlignFramesOf(std::uint8_t command) const {
  std::vector<std::vector<std::uint8_t>> frames;
  for (const auto& frame : alignFrames_)
    if (frame[0] == command) frames.push_back(frame);
  return frames;
}

void CSimRadio::HandleAlignByte(std::uint8_t byte, Micros now) {
  // The portable's unframed 0x00 comes before some commands.
  if (frame_.empty() && byte == kRawZero) alignFrames_.push_back({kRawZero});
  alignNow_ = now;
  HandleFrameByte(byte);
}

void CSimRadio::AlignAck() {
  const std::optional<SimFault> fault = FaultForReply();
  if (fault == SimFault::kSilence) return;
  output_.push_back(fault == SimFault::kNak ? kNakByte : kAckByte);
}

void CSimRadio::AnswerAlignFrame() {
  const Micros now = alignNow_;
  const std::uint8_t cmd = frame_[0];
  const std::vector<std::uint8_t> data(frame_.begin() + 2, frame_.end() - 1);
  std::vector<std::uint8_t> logged{cmd};
  logged.insert(logged.end(), data.begin(), data.end());
  alignFrames_.push_back(logged);
  switch (cmd) {
    case '0':
      if (data.size() == 2) alignChannel_ = data[0] << 8 | data[1];
      AlignAck();
      return;
    case '1': {
      // The meter follows what was loaded last, so it moves with the slider.
      const int count = alignPortable_ ? 4 : 8;
      std::vector<std::uint8_t> meter(static_cast<std::size_t>(count));
      const int loaded = work_[0] + work_[1] + work_[2];
      for (int i = 0; i < count; ++i)
        meter[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((loaded + channelValues_[i % 4]) / 2 + i);
      SendFrame(cmd, meter);
      return;
    }
    case '2':
      std::fill(std::begin(work_), std::end(work_), 0);
      std::copy_n(data.begin(), std::min<std::size_t>(data.size(), 4), work_);
      AlignAck();
      return;
    case '3':
      std::fill(std::begin(channelValues_), std::end(channelValues_), 0);
      std::copy_n(data.begin(), std::min<std::size_t>(data.size(), 4), channelValues_);
      AlignAck();
      return;
    case '4':
      keyed_ = true;
      AlignAck();
      return;
    case '5':
      keyed_ = false;
      AlignAck();
      return;
    case ';':
    case '>':
      AlignAck();
      return;
    case '8':
      keyed_ = false;
      ++restarts_;
      state_ = State::kRestarting;
      restartAt_.reset();
      if (!HasAlignFault(SimAlignFault::kNeverBack)) restartAt_ = now + restartDelay_;
      if (HasAlignFault(SimAlignFault::kStrayBytes)) strayAt_ = now + kStrayEvery;
      return;
    default:  // '6', '7', '9', '?' are not answered
      return;
  }
}

void CSimRadio::AdvanceAlign(Micros now) {
  if (state_ != State::kRestarting) strayAt_.reset();
  while (strayAt_ && *strayAt_ <= now && state_ == State::kRestarting) {
    output_.push_back(0x5A);
    *strayAt_ += kStrayEvery;
  }
  if (state_ == State::kRestarting && restartAt_ && *restartAt_ <= now) {
    restartAt_.reset();
    strayAt_.reset();
    state_ = State::kWaitingWakeUp;
    frame_.clear();
    output_.push_back(PowerUpByte());
  }
  if (state_ == State::kWaitingWakeUp && nextPowerUp_ && *nextPowerUp_ <= now) {
    output_.push_back(PowerUpByte());
    nextPowerUp_ = now + *repeatPowerUp_;
  }
}

std::optional<CSimRadio::Micros> CSimRadio::NextAlignEvent() const {
  std::optional<Micros> next;
  auto take = [&next](std::optional<Micros> at) {
    if (at && (!next || *at < *next)) next = at;
  };
  if (state_ == State::kRestarting) {
    take(restartAt_);
    take(strayAt_);
  }
  if (state_ == State::kWaitingWakeUp) take(nextPowerUp_);
  return next;
}
