#include "link/AlignStart.h"

#include <cstdio>
#include <cstring>

#include "model/ConfigFile.h"
#include "model/MessageBox.h"

namespace {
std::string Format(const char* format, int code) {
  char text[64];
  std::snprintf(text, sizeof text, format, code);
  return text;
}

int Fail(const char* format, int code) {
  ShowMessageBox(Format(format, code));
  return code;
}

bool PasswordAccepted(const AlignStartSettings& settings, const AlignStartHooks& hooks, const AlignData& data) {
  const std::uint8_t* radio = data.words.data() + alignbyte::kPassword;
  const char* known = reinterpret_cast<const char*>(settings.knownPassword.data());
  if (std::strncmp(reinterpret_cast<const char*>(radio), known, 8) == 0) return true;
  std::optional<std::string> entered;
  if (hooks.askRadioPassword) entered = hooks.askRadioPassword();
  return entered && RadioPasswordMatches(*entered, radio);
}

// Reads one block into the image with the upload's counter and Esc check.
int UploadBlock(CAlignLink& link, AlignData& data, int block, int divisor, const char* failFormat) {
  ICloneStatus& status = link.Clone().Status();
  if (link.Clone().PollEscape()) {
    status.SetStatusLine1("\r\nUpload is aborted. Press any key");
    return kAlignUploadCancelled;
  }
  const int shown = (block + 1) * 100 / divisor;
  status.SetStatusLine2(Format("%d%% complete  ", shown));
  status.SetProgress(shown);
  const int r = link.ReadRadioBlock(WireBlockOf(block), data.Block(block));
  if (r != kAlignOk) return Fail(failFormat, r);
  data.loaded[static_cast<std::size_t>(block)] = true;
  data.changed[static_cast<std::size_t>(block)] = false;
  return kAlignOk;
}
}  // namespace

void AlignData::SetWord(int a, std::uint16_t v) {
  words[static_cast<std::size_t>(2 * a)] = static_cast<std::uint8_t>(v & 0xFF);
  words[static_cast<std::size_t>(2 * a + 1)] = static_cast<std::uint8_t>(v >> 8);
}

void LoadChannelSteps(AlignData& data) {
  static constexpr std::uint32_t kSteps[4][4] = {
      {500, 625, 0, 0}, {500, 625, 250, 0}, {500, 625, 250, 125}, {1000, 1250, 0, 0}};
  const std::uint8_t* block = data.Block(2);
  const int code = block[0] >> 6;
  for (int k = 0; k < 4; ++k) {
    const std::uint8_t hi = block[69 + 2 * k];
    const std::uint8_t lo = block[70 + 2 * k];
    const std::int32_t magnitude = (hi & 0x7F) << 8 | lo;
    data.steps[static_cast<std::size_t>(k)] = {kSteps[code][k], (hi & 0x80) ? -magnitude : magnitude};
  }
}

AlignStartSettings CurrentAlignStartSettings(bool manufacturerMode) {
  AlignStartSettings settings;
  settings.manufacturerMode = manufacturerMode;
  settings.currentFamily = g_isPortable ? kPortable : kMobile;
  settings.knownPassword = g_radioPassword;
  settings.layout = CurrentCloneLayout();
  return settings;
}

int RunAlignStart(CAlignLink& link, const AlignStartSettings& settings, const AlignStartHooks& hooks, AlignData& data) {
  CCloneLink& clone = link.Clone();
  ICloneStatus& status = clone.Status();
  data = AlignData{};
  data.family = settings.currentFamily;
  link.SetFamily(data.family);
  if (!clone.Port().IsOpen() && !clone.OpenCommPort()) {
    ShowMessageBox("Problem with COM port");
    return kAlignStopped;
  }
  status.SetStatusLine1("switch radio OFF, then");
  status.SetStatusLine2("back ON to start Aignment");
  int r = link.EnterAlignMode();
  if (r == kAlignIoError) return r;
  if (r != kAlignOk) return Fail("alignment mode error %d\r\n", r);

  r = link.ReadAlignWords(16, 16, data.words.data());
  if (r == kAlignOk) r = link.ReadAlignWords(1, 124, data.words.data());
  if (r != kAlignOk) return Fail("special upload error %d\r\n", r);

  const Family found = IdentifyRadioFamily(data.words.data());
  if (found != kUnknownFamily) {
    data.family = found;
  } else if (!settings.manufacturerMode) {
    status.Beep();
    ShowMessageBox("Hardware configuration mismatched!");
    return kAlignStopped;
  }
  link.SetFamily(data.family);

  // The password belongs to the mobile start, whatever radio it found.
  if (settings.currentFamily == kMobile) {
    r = link.ReadAlignWords(17, 20, data.words.data());
    if (r != kAlignOk) return Fail("special upload error %d\r\n", r);
    if (!PasswordAccepted(settings, hooks, data)) {
      status.Beep();
      ShowMessageBox("Password mismatched!");
      return kAlignPasswordMismatch;
    }
  }
  if (hooks.askPreset && !hooks.askPreset(data.family, data.Byte(alignbyte::kFamilyCode))) return kAlignStopped;
  const CloneFamilyLayout& layout = data.family == kPortable ? settings.layout.portable : settings.layout.mobile;
  return UploadAlignData(link, layout, data);
}

int UploadAlignData(CAlignLink& link, const CloneFamilyLayout& layout, AlignData& data) {
  ICloneStatus& status = link.Clone().Status();
  const bool portable = data.family == kPortable;
  const int divisor = portable ? 165 : 255;
  status.SetStatusLine1("Now uploading alignment data. Wait...\r\n");
  status.SetStatusLine2("0% complete  ");
  status.SetProgressRange(divisor);
  status.SetProgress(0);

  data.words.fill(0xFF);
  int r = link.ReadAlignWords(0, 127, data.words.data());
  if (r != kAlignOk) return Fail("special upload error %d\r\n", r);
  for (int block = 2; block <= (portable ? 4 : 5); ++block) {
    r = UploadBlock(link, data, block, divisor, "special upload error %d\r\n");
    if (r != kAlignOk) return r;
  }
  const int last = data.Byte(alignbyte::kLastChannelBlock);
  data.blockCount = last <= data.LastChannelBlock() ? last : data.LastChannelBlock();
  status.SetProgressRange(data.blockCount);
  for (int block = kAlignFirstChannelBlock; block <= data.blockCount; ++block) {
    r = UploadBlock(link, data, block, divisor, "special upload error %04x\r\n");
    if (r != kAlignOk) return r;
  }
  const int firstTune = data.TuneBlock();
  for (int block = firstTune; block <= (portable ? firstTune : 256); ++block) {
    r = UploadBlock(link, data, block, divisor, "special upload error %04x\r\n");
    if (r != kAlignOk) return r;
  }
  LoadChannelSteps(data);
  status.SetStatusLine2("100% complete  ");
  status.SetProgress(data.blockCount);

  // The family's checksum word, as the send keeps it.
  data.checksumWord = layout.adjustWordLow - 1;
  data.checksumLow = layout.adjustWordLow;
  data.checksumHigh = layout.adjustWordHigh;
  link.UpdateChecksumWord(data.words.data(), data.checksumWord, data.checksumLow, data.checksumHigh);

  data.channelCount = kAlignChannelCount;
  data.channel = 0;
  r = link.SelectChannel(0);
  if (r != kAlignOk) return Fail("channel change error %d\r\n", r);
  return kAlignOk;
}
