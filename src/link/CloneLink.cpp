#include "link/CloneLink.h"

#include <algorithm>
#include <cstdio>

#include "model/FreshStart.h"
#include "model/MessageBox.h"

// Set by the fresh start below.
bool g_cloneOk;
std::array<std::uint8_t, 8> g_radioPassword;

namespace {
// No transfer completed yet, no password known.
void FreshCloneState() {
  g_cloneOk = false;
  g_radioPassword.fill(0);
}
const FreshStartReset kFreshStart(&FreshCloneState);
}  // namespace

namespace {
// Frame data goes out in pieces this long, each piece's echo read back before
// the next, so the driver never holds more than one piece of unread echoes.
constexpr std::size_t kFramePiece = 16;
constexpr std::uint32_t kBytePauseMicros = 200;
// What the PC answers a polled radio's 'P' with.
constexpr std::uint8_t kPolledWakeUp = 0x40;
}  // namespace

CCloneLink::CCloneLink(ISerialPort& port, ILinkClock& clock, const std::atomic<bool>& cancel, ICloneStatus& status)
    : port_(port), clock_(clock), cancel_(cancel), status_(status) {}

bool CCloneLink::OpenCommPort() {
  if (!port_.Open()) {
    const std::string reason = port_.OpenFailure();
    ShowMessageBox(reason.empty() ? "Open err" : "Open err\n" + reason, kMsgOk, "err");
    return false;
  }
  port_.SetTimeouts(kWriteTimeouts);
  return true;
}

void CCloneLink::CloseCommPort() { port_.Close(); }

bool CCloneLink::SendByte(std::uint8_t byte) {
  port_.SetTimeouts(kWriteTimeouts);
  const bool written = port_.Write(&byte, 1) == 1;
  DelayMicroseconds(kBytePauseMicros);
  return written;
}

bool CCloneLink::SendBytes(const std::uint8_t* data, std::size_t count) {
  port_.SetTimeouts(kWriteTimeouts);
  return port_.Write(data, count) == static_cast<int>(count);
}

int CCloneLink::ReadOne(const CommTimeouts& timeouts, std::uint8_t& byte) {
  port_.SetTimeouts(timeouts);
  const int got = port_.Read(&byte, 1);
  if (got < 0) return kLinkFailed;
  return got == 0 ? kLinkTimeout : kLinkOk;
}

int CCloneLink::ReadByte(std::uint8_t& byte) { return ReadOne(kShortReadTimeouts, byte); }

int CCloneLink::ReadByteLong(std::uint8_t& byte) { return ReadOne(kLongReadTimeouts, byte); }

int CCloneLink::ReadByteBefore(std::uint8_t& byte, std::uint64_t deadlineMicros) {
  const std::uint64_t now = clock_.NowMicros();
  const std::uint64_t left = deadlineMicros > now ? deadlineMicros - now : 0;
  const auto millis = static_cast<std::uint32_t>(std::max<std::uint64_t>(1, (left + 999) / 1000));
  return ReadOne({millis, 0, millis, 0, 0}, byte);
}

int CCloneLink::RecoverReadByte(std::uint8_t& byte) {
  port_.SetTimeouts(kShortReadTimeouts);
  byte = 0;
  for (;;) {
    if (PollEscape()) return kLinkTimeout;
    const int got = port_.Read(&byte, 1);
    if (got < 0) return kLinkFailed;
    if (got == 1) return kLinkOk;
  }
}

bool CCloneLink::PollEscape() { return cancel_.load(); }

void CCloneLink::DelayMicroseconds(std::uint32_t micros) { clock_.SleepMicros(micros); }

void CCloneLink::Sleep(std::uint32_t millis) { clock_.SleepMicros(static_cast<std::uint64_t>(millis) * 1000); }

void CCloneLink::DropEcho(std::size_t count) {
  std::uint8_t echo[kFramePiece + 1];
  port_.Read(echo, count);
}

int CCloneLink::SendFrame(std::uint8_t cmd, std::uint8_t len, const std::uint8_t* data) {
  if (!SendByte(cmd) || !SendByte(len)) return kLinkFailed;
  DropEcho(2);
  std::uint8_t sum = static_cast<std::uint8_t>(cmd + len);
  const std::size_t count = len > 0 ? len - 1u : 0u;
  std::size_t unread = 0;
  for (std::size_t at = 0; at < count; at += kFramePiece) {
    const std::size_t piece = count - at < kFramePiece ? count - at : kFramePiece;
    for (std::size_t i = 0; i < piece; ++i) sum = static_cast<std::uint8_t>(sum + data[at + i]);
    SendBytes(data + at, piece);
    if (piece == kFramePiece)
      DropEcho(kFramePiece);
    else
      unread = piece;
  }
  if (!SendByte(sum)) return kLinkFailed;
  DropEcho(unread + 1);
  return kLinkOk;
}

int CCloneLink::ReceiveFrame(std::uint8_t cmd, std::uint8_t len, std::uint8_t* data) {
  std::uint8_t byte = 0;
  int r = ReadByte(byte);
  if (r != kLinkOk) return r;
  if (byte != cmd) return kLinkFailed;
  r = ReadByte(byte);
  if (r != kLinkOk) return r;
  if (byte != len) return kLinkFailed;
  std::uint8_t sum = static_cast<std::uint8_t>(cmd + len);
  for (int i = 0; i + 1 < len; ++i) {
    r = ReadByte(data[i]);
    if (r != kLinkOk) return r;
    sum = static_cast<std::uint8_t>(sum + data[i]);
  }
  r = ReadByte(byte);
  if (r != kLinkOk) return r;
  return byte == sum ? kLinkOk : kLinkFailed;
}

int CCloneLink::ReadWord(std::uint8_t address, std::uint16_t& word) {
  if (SendFrame(kCmdReadWord, 2, &address) != kLinkOk) return kLinkFailed;
  std::uint8_t reply[2];
  const int r = ReceiveFrame(kCmdReadWord, 3, reply);
  if (r != kLinkOk) return r;
  word = static_cast<std::uint16_t>(reply[0] << 8 | reply[1]);
  return kLinkOk;
}

int CCloneLink::WriteWord(std::uint8_t address, std::uint16_t value, bool noVerify) {
  const std::uint8_t request[3] = {address, static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
  if (SendFrame(kCmdWriteWord, 4, request) != kLinkOk) return kLinkFailed;
  std::uint8_t reply[2];
  const int r = ReceiveFrame(kCmdWriteWord, 3, reply);
  if (r != kLinkOk) return r;
  if (!noVerify && static_cast<std::uint16_t>(reply[0] << 8 | reply[1]) != value) return kLinkFailed;
  return kLinkOk;
}

int CCloneLink::ReadBlock(std::uint8_t wireBlock, std::uint8_t* block) {
  if (SendFrame(kCmdReadBlock, 2, &wireBlock) != kLinkOk) return kLinkFailed;
  return ReceiveFrame(kCmdReadBlock, 0x81, block);
}

int CCloneLink::WriteBlock(const std::uint8_t* frame) {
  if (SendFrame(kCmdWriteBlock, 0x82, frame) != kLinkOk) return kLinkFailed;
  std::uint8_t answer = 0;
  const int r = ReadByte(answer);
  if (r != kLinkOk) return r;
  return answer == kAck ? kLinkOk : kLinkFailed;
}

void CCloneLink::DiscardReply() {
  std::uint8_t byte = 0;
  while (ReadByte(byte) == kLinkOk) {
  }
}

int CCloneLink::AwaitPowerOn(const std::string& line2, int comPortIndex) {
  status_.SetStatusLine1("Switch radio OFF, then");
  status_.SetStatusLine2(line2);
  for (;;) {
    std::uint8_t byte = 0;
    const int r = RecoverReadByte(byte);
    if (r == kLinkTimeout) return kTransferAborted;
    if (r == kLinkFailed) return ReportLeadFailure(comPortIndex);
    if (byte == 'P') return kTransferDone;
  }
}

int CCloneLink::AwakePolledRadio(const std::string& line2, int comPortIndex) {
  const int awaited = AwaitPowerOn(line2, comPortIndex);
  if (awaited != kTransferDone) return awaited;
  std::uint8_t echo = 0;
  if (!SendByte(kPolledWakeUp)) return ReportLeadFailure(comPortIndex);
  ReadByte(echo);
  status_.SetStatusLine1("");
  status_.SetStatusLine2("");
  return kTransferDone;
}

int CCloneLink::ReportLeadFailure(int comPortIndex) {
  status_.Beep();
  status_.SetStatusLine1("Check that lead is");
  status_.SetStatusLine2("connected to COM" + std::to_string(comPortIndex + 1));
  return kTransferFailed;
}

int CCloneLink::ReportFailure(const std::string& line1) {
  status_.Beep();
  status_.SetStatusLine1(line1);
  return kTransferFailed;
}

int CCloneLink::CountRetry(int linkResult, int& failures, int& timeouts, int limit, const std::string& failText) {
  if (linkResult == kLinkFailed) {
    if (++failures > limit) return ReportFailure(failText);
    DiscardReply();
  } else if (++timeouts > limit) {
    return ReportFailure(failText);
  }
  return kTransferDone;
}

void CCloneLink::ShowBlockCounter(const char* format, int block, int total) {
  char text[64];
  std::snprintf(text, sizeof text, format, block, total);
  status_.SetBlockCounter(text);
}
