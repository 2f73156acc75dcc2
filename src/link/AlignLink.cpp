#include "link/AlignLink.h"

#include <vector>

#include "model/MessageBox.h"

namespace {
constexpr std::uint32_t kFrameDrainMs = 3;
constexpr std::uint32_t kByteWriteMs = 100;
constexpr std::uint32_t kEchoReadMs = 200;
constexpr std::uint32_t kBytePauseMs = 2;
constexpr std::uint32_t kAckReadMs = 300;
constexpr std::uint32_t kMeterByteMs = 100;
constexpr std::uint32_t kAlignModeSettleMs = 1500;
constexpr int kMemoryResends = 5;
constexpr int kConfirmSends = 5;
constexpr std::uint8_t kRawZero = '0';

enum class Reply { kNone, kAck, kMeter };
// Which failures send the frame again.
enum class Resend { kNever, kAll, kWrongReply, kSendOrSilence, kSendError };
enum class Pause { kOnSuccess, kAfterReply, kAlways };

struct CommandRule {
  AlignCommand command;
  Family family;  // kUnknownFamily: both
  int args;
  Reply reply;
  std::uint32_t drainMs;
  int sends;
  Resend resend;
  std::uint32_t pauseMs;
  Pause pause;
  bool alwaysOk = false;  // the portable kAlignItem9 never fails
};

constexpr Family kBoth = kUnknownFamily;

// The command set: data bytes, reply, drain, greatest number of sends, what
// is resent, and the pause.
constexpr CommandRule kRules[] = {
    {kAlignSelectChannel, kBoth, 2, Reply::kAck, 0, 1, Resend::kNever, 10, Pause::kAfterReply},
    {kAlignReadMeter, kMobile, 0, Reply::kMeter, 5, 3, Resend::kAll, 20, Pause::kOnSuccess},
    {kAlignReadMeter, kPortable, 0, Reply::kMeter, 5, 3, Resend::kAll, 20, Pause::kOnSuccess},
    {kAlignLoadWork, kMobile, 4, Reply::kAck, 200, 3, Resend::kAll, 10, Pause::kOnSuccess},
    {kAlignLoadWork, kPortable, 1, Reply::kAck, 200, 3, Resend::kAll, 10, Pause::kOnSuccess},
    {kAlignLoadChannel, kMobile, 3, Reply::kAck, 5, 3, Resend::kWrongReply, 20, Pause::kOnSuccess},
    {kAlignLoadChannel, kPortable, 4, Reply::kAck, 5, 3, Resend::kWrongReply, 20, Pause::kOnSuccess},
    {kAlignKey, kMobile, 0, Reply::kAck, 20, 4, Resend::kSendOrSilence, 10, Pause::kAfterReply},
    {kAlignKey, kPortable, 1, Reply::kAck, 20, 4, Resend::kSendOrSilence, 10, Pause::kAfterReply},
    {kAlignEndItem, kBoth, 0, Reply::kAck, 20, 4, Resend::kAll, 10, Pause::kOnSuccess},
    {kAlignItem6, kMobile, 2, Reply::kNone, 0, 1, Resend::kNever, 10, Pause::kAlways},
    {kAlignItem6, kPortable, 0, Reply::kNone, 0, 1, Resend::kNever, 10, Pause::kAlways},
    {kAlignItem7, kMobile, 1, Reply::kNone, 0, 1, Resend::kNever, 10, Pause::kOnSuccess},
    {kAlignItem7, kPortable, 0, Reply::kNone, 0, 1, Resend::kNever, 10, Pause::kOnSuccess},
    {kAlignRestart, kBoth, 0, Reply::kNone, 0, 1, Resend::kNever, 0, Pause::kOnSuccess},
    {kAlignItem9, kMobile, 1, Reply::kNone, 0, 1, Resend::kNever, 10, Pause::kAlways},
    {kAlignItem9, kPortable, 0, Reply::kNone, 0, 1, Resend::kNever, 10, Pause::kAlways, true},
    {kAlignLoadItem, kMobile, 3, Reply::kAck, 0, 1, Resend::kNever, 0, Pause::kOnSuccess},
    {kAlignLoadItem, kPortable, 4, Reply::kAck, 0, 1, Resend::kNever, 0, Pause::kOnSuccess},
    {kAlignConfirm, kBoth, 0, Reply::kAck, 0, 1, Resend::kNever, 10, Pause::kAfterReply},
    {kAlignSwitch, kBoth, 1, Reply::kNone, 5, 3, Resend::kSendError, 10, Pause::kOnSuccess},
};

const CommandRule* RuleOf(std::uint8_t command, Family family) {
  for (const CommandRule& rule : kRules)
    if (rule.command == command && (rule.family == kBoth || rule.family == family)) return &rule;
  return nullptr;
}

bool ShouldResend(Resend resend, bool sendFailed, int result) {
  switch (resend) {
    case Resend::kNever:
      return false;
    case Resend::kAll:
      return true;
    case Resend::kWrongReply:
      return !sendFailed && result == kAlignWrongReply;
    case Resend::kSendOrSilence:
      return sendFailed || result != kAlignWrongReply;
    case Resend::kSendError:
      return sendFailed;
  }
  return false;
}

std::uint8_t Hi(std::uint16_t v) { return static_cast<std::uint8_t>(v >> 8); }
std::uint8_t Lo(std::uint16_t v) { return static_cast<std::uint8_t>(v & 0xFF); }
}  // namespace

std::uint8_t FrameChecksum(const std::uint8_t* frame) {
  std::uint8_t sum = static_cast<std::uint8_t>(frame[0] + frame[1]);
  for (int i = 0; i + 1 < frame[1]; ++i) sum = static_cast<std::uint8_t>(sum + frame[2 + i]);
  return sum;
}

int AlignArgCount(std::uint8_t command, Family family) {
  const CommandRule* rule = RuleOf(command, family);
  return rule ? rule->args : -1;
}

int CAlignLink::ReadCommByte(std::uint8_t& byte, std::uint32_t millis) {
  ISerialPort& port = link_.Port();
  port.SetTimeouts({millis, 0, millis, 0, 0});
  const int got = port.Read(&byte, 1);
  if (got < 0) return kAlignIoError;
  return got == 0 ? kAlignTimeout : kAlignOk;
}

int CAlignLink::WriteCommByte(std::uint8_t byte, std::uint32_t millis) {
  ISerialPort& port = link_.Port();
  port.SetTimeouts({millis, 0, 0, 0, millis});
  const int put = port.Write(&byte, 1);
  if (put < 0) return kAlignIoError;
  return put == 0 ? kAlignTimeout : kAlignOk;
}

void CAlignLink::Drain(std::uint32_t millis) {
  std::uint8_t byte = 0;
  while (ReadCommByte(byte, millis) == kAlignOk) {
  }
}

int CAlignLink::SendAlignFrame(const std::uint8_t* frame) {
  Drain(kFrameDrainMs);
  const int count = frame[1] + 1;  // command, length and the data bytes
  std::uint8_t echo = 0;
  for (int i = 0; i < count; ++i) {
    const int r = WriteCommByte(frame[i], kByteWriteMs);
    ReadCommByte(echo, kEchoReadMs);
    if (r != kAlignOk) return r;
    Sleep(kBytePauseMs);
  }
  Sleep(kBytePauseMs);
  const int r = WriteCommByte(FrameChecksum(frame), kByteWriteMs);
  ReadCommByte(echo, kEchoReadMs);
  return r;
}

int CAlignLink::ReadAlignWords(int first, int last, std::uint8_t* buffer) {
  for (int a = first; a <= last; ++a) {
    const std::uint8_t frame[3] = {kCmdReadWord, 2, static_cast<std::uint8_t>(a)};
    int r = kAlignOk;
    for (int resend = 0;; ++resend) {
      r = SendAlignFrame(frame);
      std::uint8_t reply[5] = {};
      for (int i = 0; r == kAlignOk && i < 5; ++i) r = ReadCommByte(reply[i], 100);
      if (r == kAlignOk) {
        const std::uint8_t sum = static_cast<std::uint8_t>(reply[0] + reply[1] + reply[2] + reply[3]);
        if (reply[0] != kCmdReadWord || reply[1] != 3 || reply[4] != sum) r = kAlignWrongReply;
      }
      if (r == kAlignOk) {
        buffer[2 * a] = reply[3];
        buffer[2 * a + 1] = reply[2];
        break;
      }
      if (resend == kMemoryResends) return r;
      Drain(100);
    }
  }
  return kAlignOk;
}

int CAlignLink::ReadRadioBlock(std::uint8_t wireBlock, std::uint8_t* destination) {
  const std::uint8_t frame[3] = {kCmdReadBlock, 2, wireBlock};
  std::vector<std::uint8_t> reply(3 + kBlockSize);
  for (int resend = 0;; ++resend) {
    int r = SendAlignFrame(frame);
    std::uint8_t sum = 0;
    for (std::size_t i = 0; r == kAlignOk && i < reply.size(); ++i) {
      r = ReadCommByte(reply[i], 100);
      if (i + 1 < reply.size()) sum = static_cast<std::uint8_t>(sum + reply[i]);
    }
    if (r == kAlignOk && (reply[0] != kCmdReadBlock || reply[1] != 0x81 || reply.back() != sum)) r = kAlignWrongReply;
    if (r == kAlignOk) {
      for (std::size_t i = 0; i < kBlockSize; ++i) destination[i] = reply[2 + i];
      return kAlignOk;
    }
    if (resend == kMemoryResends) return r;
    Drain(100);
  }
}

int CAlignLink::WriteAlignWord(std::uint8_t address, std::uint16_t value) {
  const std::uint8_t frame[5] = {kCmdWriteWord, 4, address, Hi(value), Lo(value)};
  for (int resend = 0;; ++resend) {
    int r = SendAlignFrame(frame);
    std::uint8_t reply[5] = {};
    for (int i = 0; r == kAlignOk && i < 5; ++i) r = ReadCommByte(reply[i], 200);
    if (r == kAlignOk) {
      const std::uint8_t sum = static_cast<std::uint8_t>(reply[0] + reply[1] + reply[2] + reply[3]);
      if (reply[0] != kCmdWriteWord || reply[1] != 3)
        r = kAlignWrongReply;
      else if (reply[2] != Hi(value) || reply[3] != Lo(value))
        r = kAlignValueMismatch;
      else if (reply[4] != sum)
        r = kAlignWrongReply;
    }
    if (r == kAlignOk) {
      Sleep(2);
      return kAlignOk;
    }
    if (resend == kMemoryResends) return r;
    Drain(200);
  }
}

int CAlignLink::WriteAlignBlock(std::uint8_t wireBlock, const std::uint8_t* data) {
  std::vector<std::uint8_t> frame(3 + kBlockSize);
  frame[0] = kCmdWriteBlock;
  frame[1] = 0x82;
  frame[2] = wireBlock;
  for (std::size_t i = 0; i < kBlockSize; ++i) frame[3 + i] = data[i];
  for (int resend = 0;; ++resend) {
    int r = SendAlignFrame(frame.data());
    std::uint8_t answer = 0;
    if (r == kAlignOk) r = ReadCommByte(answer, 200);
    if (r == kAlignOk && answer != kAck) r = kAlignWrongReply;
    if (r == kAlignOk) {
      Sleep(10);
      return kAlignOk;
    }
    if (resend == kMemoryResends) return r;
    Drain(200);
  }
}

int CAlignLink::UpdateChecksumWord(std::uint8_t* words, int checksumWord, int low, int high) {
  std::uint16_t sum = 0;
  for (int a = low; a <= high; ++a) sum = static_cast<std::uint16_t>(sum + (words[2 * a + 1] << 8 | words[2 * a]));
  const int r = WriteAlignWord(static_cast<std::uint8_t>(checksumWord), sum);
  if (r != kAlignOk) {
    ShowMessageBox("!! communication error !!\r\n");
    return r;
  }
  words[2 * checksumWord] = Lo(sum);
  words[2 * checksumWord + 1] = Hi(sum);
  return kAlignOk;
}

int CAlignLink::EnterAlignMode() {
  for (;;) {
    std::uint8_t byte = 0;
    const int r = ReadAlignByte(byte);
    if (r == kAlignTimeout) return kAlignIoError;  // Esc
    if (r != kAlignOk) {
      // A failing port must not spin; Esc is still seen on the next turn.
      Sleep(10);
      continue;
    }
    if (byte == kNak) return kAlignWrongReply;
    if (byte == 'P') break;
  }
  const int r = WriteCommByte(kRawZero, kByteWriteMs);
  std::uint8_t echo = 0;
  ReadCommByte(echo, 100);
  if (r != kAlignOk) return r;
  Sleep(kAlignModeSettleMs);
  return kAlignOk;
}

int CAlignLink::WaitRadioRestart() {
  ILinkClock& clock = link_.Clock();
  const std::uint64_t start = clock.NowMicros();
  for (;;) {
    if (clock.NowMicros() - start > kAlignRestartLimitMicros) return kAlignNoRestart;
    std::uint8_t byte = 0;
    if (ReadCommByte(byte, 10) != kAlignOk) continue;
    if (byte == kNak) return kAlignWrongReply;
    if (byte != 'P') continue;
    const int w = WriteCommByte(kRawZero, kByteWriteMs);
    if (w != kAlignOk) return w;
    Sleep(kAlignModeSettleMs);
    int r = kAlignOk;
    for (int send = 0; send < kConfirmSends; ++send) {
      r = Command(kAlignConfirm);
      if (r == kAlignOk) return kAlignOk;
      Sleep(20);
    }
    return r;
  }
}

int CAlignLink::Command(std::uint8_t command, std::initializer_list<std::uint8_t> args, std::uint8_t* reply) {
  const CommandRule* rule = RuleOf(command, family_);
  if (rule == nullptr || static_cast<int>(args.size()) != rule->args) return kAlignWrongReply;
  std::uint8_t frame[8] = {command, static_cast<std::uint8_t>(args.size() + 1)};
  int at = 2;
  for (const std::uint8_t b : args) frame[at++] = b;
  return Exchange(command, frame, reply);
}

int CAlignLink::Exchange(std::uint8_t command, const std::uint8_t* frame, std::uint8_t* reply) {
  const CommandRule& rule = *RuleOf(command, family_);
  for (int send = 1;; ++send) {
    int r = SendAlignFrame(frame);
    const bool sendFailed = r != kAlignOk;
    bool replied = false;
    if (!sendFailed && rule.reply == Reply::kAck) {
      std::uint8_t answer = 0;
      r = ReadCommByte(answer, kAckReadMs);
      replied = r == kAlignOk;
      if (replied && answer != kAck) r = kAlignWrongReply;
    } else if (!sendFailed && rule.reply == Reply::kMeter) {
      r = ReadMeterReply(command, reply);
      replied = r != kAlignTimeout && r != kAlignIoError;
    }
    if (rule.alwaysOk) r = kAlignOk;
    const bool pause = rule.pause == Pause::kAlways || (rule.pause == Pause::kAfterReply && replied) ||
                       r == kAlignOk;
    if (r == kAlignOk || send >= rule.sends || !ShouldResend(rule.resend, sendFailed, r)) {
      if (pause) Sleep(rule.pauseMs);
      return r;
    }
    Drain(rule.drainMs);
  }
}

int CAlignLink::ReadMeterReply(std::uint8_t command, std::uint8_t* reply) {
  const int count = AlignMeterBytes(family_);
  std::uint8_t bytes[12] = {};
  const int total = count + 3;
  for (int i = 0; i < total; ++i) {
    const int r = ReadCommByte(bytes[i], kMeterByteMs);
    if (r != kAlignOk) return r;
  }
  std::uint8_t sum = 0;
  for (int i = 0; i + 1 < total; ++i) sum = static_cast<std::uint8_t>(sum + bytes[i]);
  if (bytes[0] != command || bytes[1] != count + 1 || bytes[total - 1] != sum) return kAlignWrongReply;
  if (reply != nullptr)
    for (int i = 0; i < count; ++i) reply[i] = bytes[2 + i];
  return kAlignOk;
}

int CAlignLink::SelectChannel(int channel) {
  const std::uint16_t c = static_cast<std::uint16_t>(channel);
  return Command(kAlignSelectChannel, {Hi(c), Lo(c)});
}

int CAlignLink::SendRawZero() {
  WriteCommByte(0x00, kByteWriteMs);
  // Its echo is taken here, as every frame byte's is: left in the input, a
  // late echo would be read as the next frame's echo and shift its reply.
  std::uint8_t echo = 0;
  ReadCommByte(echo, kEchoReadMs);
  Sleep(10);
  return kAlignOk;
}

int CAlignLink::Restart(bool wait) {
  const int r = Command(kAlignRestart);
  if (r != kAlignOk || !wait) return r;
  return WaitRadioRestart();
}
