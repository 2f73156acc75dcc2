#include "ScriptPort.h"

#include "FuzzSupport.h"

namespace {
// One byte on the wire at 9600 baud, 8N2: start, 8 data and 2 stop bits.
constexpr std::uint64_t kByteMicros = 1146;
// Once Esc is pressed the engine must be back within this much virtual time.
constexpr std::uint64_t kEscGraceMicros = 60'000'000;
}  // namespace

void CFuzzClock::SleepMicros(std::uint64_t micros) {
  CVirtualClock::SleepMicros(micros);
  Watch();
}

void CFuzzClock::PressEsc() {
  if (pressed_ || noEsc_) return;
  pressed_ = true;
  escAt_ = NowMicros();
  cancel_ = true;
}

void CFuzzClock::Watch() {
  if (!pressed_ && NowMicros() >= escAfter_) PressEsc();
  if (pressed_ && NowMicros() > escAt_ + kEscGraceMicros)
    InvariantBroken(engine_ + " goes on for more than a minute (virtual) after Esc: it would never end");
}

bool CScriptPort::Open() {
  clock_.Watch();
  if (failOpen_) return false;
  open_ = true;
  return true;
}

void CScriptPort::Close() {
  open_ = false;
  echoes_.clear();
  heldEchoes_.clear();
}

int CScriptPort::Write(const std::uint8_t* data, std::size_t count) {
  clock_.Watch();
  if (!open_) return -1;
  if (failWrite_) {
    failWrite_ = false;
    breaks_.push_back(sent_.size());
    for (std::size_t i = 0; i < count; ++i) Note(PortEvent::kWriteLost, data[i]);
    return 0;
  }
  const bool late = lateEcho_;
  lateEcho_ = false;
  for (std::size_t i = 0; i < count; ++i) {
    clock_.AdvanceTo(clock_.NowMicros() + kByteMicros);
    sent_.push_back(data[i]);
    Note(PortEvent::kWrite, data[i]);
    if (echo_) (late ? heldEchoes_ : echoes_).push_back(data[i]);
    if (radio_ != nullptr) radio_->Receive(data[i], clock_.NowMicros());
  }
  return static_cast<int>(count);
}

CScriptPort::Next CScriptPort::NextFromScript(std::uint8_t& byte) {
  for (;;) {
    if (silentReads_ > 0) {
      --silentReads_;
      return Next::kSilent;
    }
    if (failRead_) {
      failRead_ = false;
      return Next::kFail;
    }
    if (at_ >= size_) return Next::kSilent;
    byte = script_[at_++];
    if (byte != kScriptEscape) return Next::kByte;
    const std::uint8_t control = at_ < size_ ? script_[at_++] : 0;
    if (control == 0) return Next::kByte;  // the literal 0xFE
    if (control < 0x80)
      silentReads_ = control;
    else if (control == kScriptReadFails)
      failRead_ = true;
    else if (control == kScriptWriteFails)
      failWrite_ = true;
    else if (control == kScriptEsc)
      clock_.PressEsc();
    else if (control == kScriptLateEcho)
      lateEcho_ = true;
  }
}

CScriptPort::Next CScriptPort::NextFromRadio(std::uint8_t& byte) {
  radio_->Advance(clock_.NowMicros());
  auto& out = radio_->Output();
  if (out.empty()) {
    recorded_.push_back(kScriptEscape);
    recorded_.push_back(1);
    return Next::kSilent;
  }
  byte = out.front();
  out.pop_front();
  recorded_.push_back(byte);
  if (byte == kScriptEscape) recorded_.push_back(0);
  return Next::kByte;
}

int CScriptPort::Read(std::uint8_t* data, std::size_t count) {
  clock_.Watch();
  if (!open_) return -1;
  std::size_t done = 0;
  while (done < count) {
    if (!echoes_.empty()) {
      Note(PortEvent::kEchoByte, echoes_.front());
      data[done++] = echoes_.front();
      echoes_.pop_front();
      continue;
    }
    std::uint8_t byte = 0;
    const Next next = radio_ != nullptr ? NextFromRadio(byte) : NextFromScript(byte);
    if (next == Next::kFail) {
      Note(PortEvent::kReadFailed);
      return -1;
    }
    if (next == Next::kSilent) {
      Note(PortEvent::kNothing);
      // A late echo arrives once this read has waited in vain.
      echoes_.insert(echoes_.end(), heldEchoes_.begin(), heldEchoes_.end());
      heldEchoes_.clear();
      // Nothing comes: the read waits out its time-outs.
      std::uint64_t wait = 1000ull * (timeouts_.readTotalMultiplier * count + timeouts_.readTotalConstant);
      if (done > 0 && timeouts_.readInterval > 0) wait = std::min<std::uint64_t>(wait, 1000ull * timeouts_.readInterval);
      clock_.AdvanceTo(clock_.NowMicros() + std::max<std::uint64_t>(wait, 1000));
      clock_.Watch();
      return static_cast<int>(done);
    }
    clock_.AdvanceTo(clock_.NowMicros() + kByteMicros);
    Note(PortEvent::kRadioByte, byte);
    data[done++] = byte;
  }
  return static_cast<int>(done);
}
