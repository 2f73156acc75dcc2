#include "link/AlignItems.h"

#include <algorithm>
#include <cstdio>

#include "model/BandRecord.h"
#include "model/ChannelRecord.h"
#include "model/ConfigFile.h"
#include "model/Digits.h"
#include "model/MessageBox.h"
#include "model/RadioInfoRecord.h"

namespace {
constexpr std::size_t kMobileRecordSize = 25;
constexpr std::size_t kPortableSlotAt = 0x1C80;
constexpr std::uint8_t kPortableWorkPower = 50;  // the fixed power of the portable deviation items
constexpr std::uint32_t kTuneRestartPauseMs = 2000;

enum class Kind { kNone, kPower, kDeviation, kReference, kReceiver, kRxTune, kVcv };

Kind KindOf(int item) {
  switch (item) {
    case kItemPowerHigh:
    case kItemPowerLowHigh:
    case kItemPowerLowMid:
      return Kind::kPower;
    case kItemMaxDeviation:
    case kItemModBalance:
    case kItemCtcss:
    case kItemDcs:
    case kItemLtr:
    case kItemStdDeviation:
      return Kind::kDeviation;
    case kItemSeqTone:
    case kItemReference:
      return Kind::kReference;
    case kItemTightNoise:
    case kItemThresholdNoise:
    case kItemTightRssi:
    case kItemFullScaleRssi:
      return Kind::kReceiver;
    case kItemRxTune:
      return Kind::kRxTune;
    case kItemTxVcv:
    case kItemRxVcv:
      return Kind::kVcv;
    default:
      return Kind::kNone;
  }
}

bool IsTone(int item) { return item == kItemCtcss || item == kItemDcs || item == kItemLtr; }

// Which value byte of the '3' arguments an item moves.
std::size_t ArgIndexOf(int item) {
  if (item == kItemMaxDeviation) return 0;
  if (item == kItemModBalance) return 1;
  if (item == kItemStdDeviation) return 3;
  return 2;
}

// Bytes of the word buffer by bandwidth: {wide, narrow}.
struct ByteByWidth {
  int wide, narrow;
  int Of(bool isWide) const { return isWide ? wide : narrow; }
};

// The word-buffer byte each item adjusts and stores, per family.
ByteByWidth ItemByte(Family family, int item) {
  const bool p = family == kPortable;
  switch (item) {
    case kItemPowerHigh: return p ? ByteByWidth{14, 14} : ByteByWidth{16, 16};
    case kItemPowerLowHigh: return {15, 15};
    case kItemPowerLowMid: return {14, 14};
    case kItemMaxDeviation: return p ? ByteByWidth{17, 16} : ByteByWidth{19, 18};
    case kItemModBalance: return p ? ByteByWidth{19, 18} : ByteByWidth{21, 20};
    case kItemCtcss: return p ? ByteByWidth{21, 20} : ByteByWidth{23, 23};
    case kItemDcs: return p ? ByteByWidth{23, 22} : ByteByWidth{22, 22};
    case kItemLtr: return {25, 24};
    case kItemSeqTone: return {30, 30};
    case kItemReference: return p ? ByteByWidth{28, 28} : ByteByWidth{31, 31};
    case kItemStdDeviation: return {223, 222};
    case kItemTightNoise: return {8, 12};
    case kItemThresholdNoise: return {9, 13};
    case kItemTightRssi: return {7, 11};
    case kItemFullScaleRssi: return {6, 10};
    case kItemTxVcv: return {26, 26};
    case kItemRxVcv: return {27, 27};
    default: return {-1, -1};
  }
}

// The averaged meter byte an item shows and stores: the signal strength or
// the noise level.
std::size_t MeterByteOf(int item) {
  return item == kItemTightNoise || item == kItemThresholdNoise ? 2 : 1;
}

int Clamp255(std::int32_t v) { return std::clamp<std::int32_t>(v, 0, 255); }

std::uint8_t Byte(int v) { return static_cast<std::uint8_t>(v); }
}  // namespace

bool AlignItemExists(Family family, int item) {
  if (item < 0 || item >= kItemNone) return false;
  if (family == kPortable) return item != kItemPowerLowMid && item != kItemTxVcv && item != kItemRxVcv;
  return item != kItemStdDeviation;
}

AlignChannelInfo AlignChannelAt(const AlignData& data, int channel) {
  AlignChannelInfo info;
  const std::uint8_t* block2 = data.Block(2);
  const std::uint8_t familyCode = data.Byte(alignbyte::kFamilyCode);
  if (data.family == kPortable) {
    const std::uint8_t* slot = data.image.data() + kPortableSlotAt + CPortableChannelRecord::kSlotSize * channel;
    CPortableBandRecord band;
    band.Unpack(data.image.data());
    ChannelCodecContext ctx;
    ctx.modelCode = familyCode;
    ctx.band = &band;
    CPortableChannelRecord record;
    record.LoadFromSlot(slot, ctx);
    info.programmed = slot[0] != 0xFF;
    info.wide = (slot[14] & 1) == 0;
    info.rxStep = record.RxStepCode();
    info.rxMHz = CountToMHz(record.m_rxFrequency);
    info.txMHz = CountToMHz(record.m_txFrequency);
    info.tune = slot[13];
  } else {
    const std::uint8_t* r = data.Block(kAlignFirstChannelBlock + channel / 5) + kMobileRecordSize * (channel % 5);
    info.programmed = r[1] != 0xFF;
    info.wide = (r[0] & 0x40) != 0;
    info.rxStep = (r[0] >> 2) & 3;
    const int txStep = r[0] & 3;
    const bool uhfRaster = (familyCode & 0xE0) == 0x60;
    double rx = r[7] * 256 + r[8];
    rx += uhfRaster ? 40960 : (info.rxStep == 2 ? 32768 : 0);
    if (info.rxStep == 3) rx += 131072;
    rx += data.steps[static_cast<std::size_t>(info.rxStep)].offset;
    double tx = r[15] * 256 + r[16];
    tx += uhfRaster ? 40960 : (txStep == 2 ? 32768 : 0);
    if (txStep == 3) tx += 81920;
    info.rxMHz = data.steps[static_cast<std::size_t>(info.rxStep)].step * 1e-5 * rx;
    info.txMHz = data.steps[static_cast<std::size_t>(txStep)].step * 1e-5 * tx;
    info.tune = r[17];
  }
  static constexpr double kIfUnit[4] = {5.0, 6.25, 2.5, 1.25};
  const int k = info.rxStep;
  info.ifMHz = ((block2[69 + 2 * k] & 0x7F) * 256 + block2[70 + 2 * k]) * kIfUnit[k] * 0.001;
  return info;
}

std::string AlignSerialText(const AlignData& data) {
  // The mobile serial lies in the last adjustment block, not the tune block.
  if (data.family == kPortable) {
    const std::uint8_t* block = data.Block(data.TuneBlock());
    return SerialNumberText(block[121], block[124], block[125], block[126]);
  }
  const std::uint8_t* block = data.Block(kAlignImageBlocks - 1);
  return SerialNumberText(block[124], block[125], block[126], block[127]);
}

AlignRanges CurrentAlignRanges(const AlignData& data) {
  const CConfigFileBase& config = data.family == kPortable ? static_cast<const CConfigFileBase&>(g_portableConfig)
                                                           : static_cast<const CConfigFileBase&>(g_config);
  return AlignRangesOf(config, data.Byte(alignbyte::kProductCode));
}

AlignRanges AlignRangesOf(const CConfigFileBase& config, std::uint8_t productCode) {
  AlignRanges ranges;
  const bool mobileProduct = IsMobileProductCode(productCode);
  // Entry of the slider and meter limits per item; -1 for none.
  const int slider[kItemNone] = {0, 1, 1, 2, 3, mobileProduct ? 4 : 10, 5, 6, 11, 12, 2, -1, -1, 9, -1, -1, 16, 17};
  const int meter[kItemNone] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 7, 8, 9, 14, 15, -1, -1};
  for (int i = 0; i < kItemNone; ++i) {
    ranges.slider[static_cast<std::size_t>(i)] =
        slider[i] < 0 ? 0 : Clamp255(config.Ranges()[static_cast<std::size_t>(slider[i])]);
    ranges.meter[static_cast<std::size_t>(i)] =
        meter[i] < 0 ? 255 : Clamp255(config.Ranges2()[static_cast<std::size_t>(meter[i])]);
  }
  return ranges;
}

void CAlignChannelValues::Select(const AlignData& data, int mode) {
  const bool wide = AlignChannelAt(data, data.channel).wide;
  auto stored = [&](int item) { return data.Byte(ItemByte(data.family, item).Of(wide)); };
  bytes_.fill(0);
  bytes_[0] = stored(kItemMaxDeviation);
  bytes_[1] = stored(kItemModBalance);
  const int toneItem[4] = {kItemDcs, kItemMaxDeviation, kItemCtcss, kItemLtr};
  if (data.family == kPortable) {
    valueIndex_ = 8;
    bytes_[2] = mode >= 0 && mode <= 3 && mode != 1 ? stored(toneItem[mode]) : 0;
    bytes_[3] = stored(kItemStdDeviation);
  } else {
    valueIndex_ = 10;
    bytes_[2] = mode == 1 ? data.Byte(222) : stored(toneItem[mode & 3]);
  }
}

CAlignSession::CAlignSession(CAlignLink& link, AlignData& data, const AlignRanges& ranges)
    : link_(link), data_(data), ranges_(ranges) {}

bool CAlignSession::MobileProduct() const { return IsMobileProductCode(B(alignbyte::kProductCode)); }

int CAlignSession::Fail(int code) {
  char text[48];
  std::snprintf(text, sizeof text, "!! com error !! %d\n", code);
  ShowMessageBox(text);
  return code;
}

int CAlignSession::Cmd(std::uint8_t command, std::initializer_list<std::uint8_t> args) {
  // A radio may key although its answer to '4' was lost or garbled: only a
  // '5' it acknowledged counts as unkeyed.
  if (command == kAlignKey) keyed_ = true;
  const int r = link_.Command(command, args);
  if (r != kAlignOk) return Fail(r);
  if (command == kAlignEndItem) keyed_ = false;
  return kAlignOk;
}

int CAlignSession::ValueByte() const { return ItemByte(data_.family, item_).Of(Channel().wide); }

int CAlignSession::ModeOf() const {
  switch (item_) {
    case kItemCtcss: return 2;
    case kItemLtr: return 3;
    case kItemMaxDeviation:
    case kItemModBalance: return 1;
    case kItemStdDeviation: return 4;
    default: return 0;
  }
}

int CAlignSession::Start(int item) {
  if (Measuring() || !AlignItemExists(data_.family, item)) return kAlignOk;
  item_ = item;
  sliderMax_ = ranges_.slider[static_cast<std::size_t>(item)];
  meterMax_ = ranges_.meter[static_cast<std::size_t>(item)];
  meter_ = -1;
  polls_ = 0;
  sums_.fill(0);
  averagedValid_ = false;
  const Kind kind = KindOf(item);
  if (kind == Kind::kRxTune)
    value_ = Channel().tune;
  else if (kind != Kind::kReceiver)
    value_ = B(ValueByte());
  // Start sends what the radio holds, even above the slider's range, so Ok
  // without a move stores it unchanged; Cancel puts it back.
  savedValue_ = value_;
  if (kind == Kind::kDeviation || kind == Kind::kReference) {
    values_.Select(data_, ModeOf());
    if (kind == Kind::kDeviation) values_[ArgIndexOf(item)] = Byte(value_);
    values_.SetValue(Byte(value_));
  }
  const int r = data_.family == kPortable ? StartPortable() : StartMobile();
  if (r == kAlignOk) polling_ = kind == Kind::kReceiver || kind == Kind::kRxTune || kind == Kind::kVcv;
  return r;
}

int CAlignSession::StartMobile() {
  const int item = item_;
  const std::uint8_t v = Byte(value_);
  int r = kAlignOk;
  switch (KindOf(item)) {
    case Kind::kPower:
      if ((r = Cmd(kAlignKey)) || (r = Cmd(kAlignLoadWork, {v, 0, B(26), B(28)}))) return r;
      return Cmd(kAlignLoadItem, {B(31), 0, 0});
    case Kind::kDeviation:
      if ((r = Cmd(kAlignKey)) || (r = Cmd(kAlignLoadWork, {B(14), 0, B(26), B(28)}))) return r;
      if (item == kItemMaxDeviation) r = Cmd(kAlignLoadItem, {B(31), 0xFF, B(222)});
      if (item == kItemModBalance) r = Cmd(kAlignLoadItem, {B(31), 0, data_.Block(5)[118]});
      if (IsTone(item)) r = Cmd(kAlignLoadItem, {B(31), 0xFF, 0});
      if (r) return r;
      if (item == kItemModBalance && (r = Cmd(kAlignItem9, {3}))) return r;
      if ((r = Cmd(kAlignLoadChannel, {values_[0], values_[1], values_[2]}))) return r;
      if (item == kItemMaxDeviation && MobileProduct()) return Cmd(kAlignItem6, {17, 199});
      if (item == kItemModBalance && !MobileProduct()) return Cmd(kAlignSwitch, {kAlignSwitchOff});
      if (item == kItemCtcss) return Cmd(kAlignItem7, {2});
      if (item == kItemDcs) return Cmd(kAlignItem7, {1});
      if (item == kItemLtr) return Cmd(kAlignItem7, {3});
      return kAlignOk;
    case Kind::kReference:
      if ((r = Cmd(kAlignKey)) || (r = Cmd(kAlignLoadWork, {B(14), 0, B(26), B(28)})) || (r = SendValue())) return r;
      return Cmd(kAlignLoadChannel, {values_[0], values_[1], values_[2]});
    case Kind::kRxTune:
      return Cmd(kAlignLoadWork, {v, B(27), 0, B(28)});
    case Kind::kVcv:
      if (item == kItemTxVcv && (r = Cmd(kAlignKey))) return r;
      return SendValue();
    default:
      return kAlignOk;
  }
}

int CAlignSession::StartPortable() {
  const int item = item_;
  int r = kAlignOk;
  switch (KindOf(item)) {
    case Kind::kPower:
      if ((r = Cmd(kAlignKey, {0}))) return r;
      return SendValue();
    case Kind::kDeviation:
      link_.SendRawZero();
      if ((r = Cmd(kAlignKey, {Byte(IsTone(item) ? 2 : 1)})) || (r = Cmd(kAlignLoadWork, {kPortableWorkPower})))
        return r;
      if ((r = Cmd(kAlignLoadItem, {B(28), Byte(item == kItemModBalance ? 0 : 0xFF), 0, 0}))) return r;
      if (item == kItemModBalance && (r = Cmd(kAlignItem9))) return r;
      if ((r = SendValue())) return r;
      if (IsTone(item)) return Cmd(kAlignItem7);
      if (item == kItemMaxDeviation) return Cmd(kAlignItem6);
      return kAlignOk;
    case Kind::kReference:
      if ((r = Cmd(kAlignKey, {0})) || (r = Cmd(kAlignLoadWork, {kPortableWorkPower}))) return r;
      return SendValue();
    case Kind::kRxTune:
      return SendValue();
    default:
      return kAlignOk;
  }
}

// The portable '3': the fourth byte carries the STD deviation only on radios
// whose family code has bit 0x20, 0x0C higher from 0x20 up; the value bytes
// themselves keep the stored value.
int CAlignSession::SendPortableChannelValues() {
  const std::uint8_t d = values_[3];
  const std::uint8_t e =
      (B(alignbyte::kFamilyCode) & 0x20) ? static_cast<std::uint8_t>(d >= 0x20 ? d + 0x0C : d) : std::uint8_t{0};
  return Cmd(kAlignLoadChannel, {values_[0], values_[1], values_[2], e});
}

// What a value change sends, for both families.
int CAlignSession::SendValue() {
  const std::uint8_t v = Byte(value_);
  const bool portable = data_.family == kPortable;
  switch (KindOf(item_)) {
    case Kind::kPower:
      if (portable) return Cmd(kAlignLoadWork, {v});
      return Cmd(kAlignLoadWork, {v, 0, B(26), B(28)});
    case Kind::kDeviation:
      values_[ArgIndexOf(item_)] = v;
      values_.SetValue(v);
      if (portable) return SendPortableChannelValues();
      return Cmd(kAlignLoadChannel, {values_[0], values_[1], values_[2]});
    case Kind::kReference:
      values_.SetValue(v);
      if (portable) {
        if (item_ == kItemSeqTone) return Cmd(kAlignLoadItem, {B(28), v, 0, 0});
        return Cmd(kAlignLoadItem, {v, B(30), 0, 0});
      }
      if (item_ == kItemSeqTone) return Cmd(kAlignLoadItem, {B(31), v, B(222)});
      return Cmd(kAlignLoadItem, {v, 0, 0});
    case Kind::kRxTune:
      if (portable) return Cmd(kAlignLoadWork, {v});
      return Cmd(kAlignLoadWork, {v, B(27), 0, B(28)});
    case Kind::kVcv:
      return Cmd(kAlignLoadWork, {0, Byte(item_ == kItemRxVcv ? v : 0), Byte(item_ == kItemTxVcv ? v : 0), B(28)});
    default:
      return kAlignOk;
  }
}

int CAlignSession::Adjust(int value) {
  if (!Measuring() || KindOf(item_) == Kind::kReceiver) return kAlignOk;
  const int previous = value_;
  value_ = std::clamp(value, 0, sliderMax_);
  const int r = SendValue();
  if (r != kAlignOk) value_ = previous;
  return r;
}

int CAlignSession::Poll() {
  if (!polling_) return kAlignOk;
  std::uint8_t meter[8] = {};
  const int r = link_.ReadMeter(meter);
  if (r != kAlignOk) {
    polling_ = false;
    return Fail(r);
  }
  for (std::size_t i = 0; i < sums_.size(); ++i) sums_[i] += meter[i];
  if (++polls_ < kAlignPollsPerDisplay) return kAlignOk;
  for (std::size_t i = 0; i < sums_.size(); ++i) averaged_[i] = static_cast<std::uint8_t>(sums_[i] / polls_);
  averagedValid_ = true;
  sums_.fill(0);
  polls_ = 0;
  const std::size_t shown = KindOf(item_) == Kind::kVcv ? (item_ == kItemTxVcv ? 3 : 4) : MeterByteOf(item_);
  meter_ = std::min<int>(averaged_[shown % AlignMeterBytes(data_.family)], meterMax_);
  return kAlignOk;
}

int CAlignSession::StoreValue(std::uint8_t value) {
  const int byte = ValueByte();
  const int word = byte / 2;
  std::uint16_t w = data_.Word(word);
  w = (byte & 1) ? static_cast<std::uint16_t>((w & 0x00FF) | value << 8) : static_cast<std::uint16_t>((w & 0xFF00) | value);
  const int r = link_.WriteAlignWord(static_cast<std::uint8_t>(word), w);
  if (r != kAlignOk) {
    // The radio may have taken the word although its answer was wrong or
    // lost: what it holds now is what later checksums must count.
    std::array<std::uint8_t, kAlignWordBytes> back = data_.words;
    if (link_.ReadAlignWords(word, word, back.data()) != kAlignOk) {
      ShowMessageBox("!! download error !!\nThe word could not be read back from the radio.\n");
      return r;
    }
    const std::uint16_t held = static_cast<std::uint16_t>(back[2 * word + 1] << 8 | back[2 * word]);
    char text[96];
    std::snprintf(text, sizeof text, "!! download error !!\nRead back from the radio: word %d holds %04X.\n", word, held);
    ShowMessageBox(text);
    data_.SetWord(word, held);
    link_.UpdateChecksumWord(data_.words.data(), data_.checksumWord, data_.checksumLow, data_.checksumHigh);
    return r;
  }
  data_.SetWord(word, w);
  return link_.UpdateChecksumWord(data_.words.data(), data_.checksumWord, data_.checksumLow, data_.checksumHigh);
}

int CAlignSession::Ok() {
  if (!Measuring()) return kAlignOk;
  const Kind kind = KindOf(item_);
  if (kind == Kind::kRxTune) {
    polling_ = false;
    const int r = StoreTune();
    if (r == kAlignOk) Idle();
    return r;
  }
  if (kind == Kind::kReceiver && !averagedValid_ && polls_ == 0) {
    // Ok before the first poll: the level is read now, never taken from the
    // item measured before.
    std::uint8_t meter[8] = {};
    const int m = link_.ReadMeter(meter);
    if (m != kAlignOk) return Fail(m);
    for (std::size_t i = 0; i < sums_.size(); ++i) sums_[i] = meter[i];
    polls_ = 1;
  }
  const bool wasPolling = polling_;
  if (kind == Kind::kReceiver || kind == Kind::kVcv) polling_ = false;
  const int r = data_.family == kPortable ? OkPortable() : OkMobile();
  if (r != kAlignOk) {
    // The item goes on measuring, so its meter goes on moving.
    polling_ = wasPolling;
    return r;
  }
  std::uint8_t stored = Byte(value_);
  if (kind == Kind::kReceiver) {
    if (!averagedValid_)
      for (std::size_t i = 0; i < sums_.size(); ++i) averaged_[i] = static_cast<std::uint8_t>(sums_[i] / polls_);
    stored = averaged_[MeterByteOf(item_)];
  } else if (kind == Kind::kDeviation && item_ != kItemCtcss) {
    stored = values_[ArgIndexOf(item_)];
  } else if (item_ == kItemCtcss) {
    stored = values_.GetValue();
  }
  const int w = StoreValue(stored);
  Idle();
  return w;
}

int CAlignSession::OkMobile() {
  int r = kAlignOk;
  switch (KindOf(item_)) {
    case Kind::kDeviation:
      if (IsTone(item_)) {
        if ((r = Cmd(kAlignItem7, {0}))) return r;
      } else if ((r = Cmd(kAlignItem6, {0, 0})) || (r = Cmd(kAlignItem9, {0}))) {
        return r;
      }
      return Cmd(kAlignEndItem);
    case Kind::kReference:
      if ((r = Cmd(kAlignItem6, {0, 0}))) return r;
      return Cmd(kAlignEndItem);
    case Kind::kPower:
    case Kind::kVcv:
      return Cmd(kAlignEndItem);
    default:
      return kAlignOk;
  }
}

int CAlignSession::OkPortable() {
  switch (KindOf(item_)) {
    case Kind::kDeviation:
      link_.SendRawZero();
      return Cmd(kAlignEndItem);
    case Kind::kPower:
    case Kind::kReference:
      return Cmd(kAlignEndItem);
    default:
      return kAlignOk;
  }
}

int CAlignSession::StoreTune() {
  const int tuneBlock = data_.TuneBlock();
  std::uint8_t* points = data_.Block(tuneBlock);
  points[2] = Byte(value_);
  int r = link_.WriteAlignBlock(WireBlockOf(tuneBlock), points);
  if (r != kAlignOk) {
    // Channels tuned against points the radio doesn't have would be worse
    // than none.
    ShowMessageBox("!! download error !!\n");
    return r;
  }
  const int fRef = (points[0] * 256 + points[1]) / 10;
  const bool portable = data_.family == kPortable;
  // Only the channel blocks: the tune and adjustment blocks lie past them.
  const int lastBlock = std::min(data_.blockCount, data_.LastChannelBlock());
  const int channels = std::min(data_.channelCount, portable ? kAlignChannelCount : (lastBlock - kAlignFirstChannelBlock + 1) * 5);
  for (int c = 0; c < channels; ++c) {
    const AlignChannelInfo info = AlignChannelAt(data_, c);
    if (!info.programmed) continue;
    const double f = info.rxMHz;
    const int slope = f > fRef ? points[3] : points[4];
    const int tuned = std::clamp(static_cast<int>(points[2] + slope * (f - fRef) * 0.1), 0, sliderMax_);
    std::size_t at = 0;
    std::size_t size = 1;
    if (portable) {
      at = kPortableSlotAt + CPortableChannelRecord::kSlotSize * static_cast<std::size_t>(c);
      if (at / kBlockSize > static_cast<std::size_t>(lastBlock)) break;
      // The whole slot, which may straddle two blocks.
      data_.image[at + 13] = Byte(tuned);
      size = CPortableChannelRecord::kSlotSize;
    } else {
      at = kBlockSize * static_cast<std::size_t>(kAlignFirstChannelBlock + c / 5) + kMobileRecordSize * (c % 5);
      data_.image[at + 17] = Byte(tuned);
    }
    data_.changed[at / kBlockSize] = true;
    data_.changed[(at + size - 1) / kBlockSize] = true;
  }
  bool allWritten = true;
  for (int b = kAlignFirstChannelBlock; b <= lastBlock; ++b) {
    if (!data_.changed[static_cast<std::size_t>(b)]) continue;
    if (link_.WriteAlignBlock(WireBlockOf(b), data_.Block(b)) == kAlignOk) {
      data_.changed[static_cast<std::size_t>(b)] = false;
    } else {
      allWritten = false;
    }
  }
  r = kAlignOk;
  if (!allWritten) {
    ShowMessageBox("!! download error !!\n");
    r = kAlignWrongReply;
  } else if (const int restart = link_.Restart(true); restart != kAlignOk) {
    ShowMessageBox("!! download error !!\n");
    r = restart;
  }
  link_.Sleep(kTuneRestartPauseMs);
  if (const int s = link_.SelectChannel(data_.channel); s != kAlignOk) {
    ShowMessageBox("!! download error !!\n");
    if (r == kAlignOk) r = s;
  }
  return r;
}

int CAlignSession::Cancel() {
  if (!Measuring()) return kAlignOk;
  polling_ = false;
  cancelResult_ = kAlignOk;
  if (data_.family == kPortable)
    CancelPortable();
  else
    CancelMobile();
  // Whatever failed before, the transmitter must not stay keyed.
  if (keyed_) Step(Cmd(kAlignEndItem));
  Idle();
  return cancelResult_;
}

void CAlignSession::Step(int result) {
  if (cancelResult_ == kAlignOk) cancelResult_ = result;
}

void CAlignSession::CancelMobile() {
  const std::uint8_t saved = Byte(savedValue_);
  switch (KindOf(item_)) {
    case Kind::kPower:
      Step(Cmd(kAlignLoadWork, {saved, 0, B(26), B(28)}));
      break;
    case Kind::kDeviation:
      if (IsTone(item_)) {
        Step(Cmd(kAlignItem7, {0}));
        Step(Cmd(kAlignLoadItem, {B(31), 0xFF, 0}));
      } else {
        Step(Cmd(kAlignItem6, {0, 0}));
        Step(Cmd(kAlignLoadItem, {B(31), 0xFF, B(222)}));
      }
      values_.Select(data_, ModeOf());
      Step(Cmd(kAlignLoadChannel, {values_[0], values_[1], values_[2]}));
      break;
    case Kind::kReference:
      if (item_ == kItemSeqTone) {
        Step(Cmd(kAlignItem6, {0, 0}));
        Step(Cmd(kAlignLoadItem, {B(31), B(30), B(222)}));
      } else {
        Step(Cmd(kAlignLoadItem, {B(31), 0, 0}));
      }
      values_.Select(data_, ModeOf());
      break;
    case Kind::kRxTune:
      Step(Cmd(kAlignLoadWork, {Channel().tune, B(27), 0, B(28)}));
      break;
    case Kind::kVcv:
      if (item_ == kItemTxVcv) {
        Step(Cmd(kAlignEndItem));
        Step(Cmd(kAlignLoadWork, {0, 0, B(26), B(28)}));
      } else {
        Step(Cmd(kAlignLoadWork, {0, B(27), 0, B(28)}));
      }
      break;
    default:
      break;
  }
}

void CAlignSession::CancelPortable() {
  const std::uint8_t saved = Byte(savedValue_);
  switch (KindOf(item_)) {
    case Kind::kPower:
    case Kind::kRxTune:
      Step(Cmd(kAlignLoadWork, {KindOf(item_) == Kind::kRxTune ? Channel().tune : saved}));
      break;
    case Kind::kDeviation:
      values_.Select(data_, ModeOf());
      Step(SendPortableChannelValues());
      link_.SendRawZero();
      break;
    case Kind::kReference:
      value_ = saved;
      Step(SendValue());
      break;
    default:
      break;
  }
}

void CAlignSession::Idle() {
  item_ = kItemNone;
  polling_ = false;
}

int CAlignSession::StepChannel(int direction) {
  if (Measuring() || direction == 0) return kAlignOk;
  const int count = data_.channelCount;
  int c = data_.channel;
  bool found = false;
  for (int i = 0; i < count; ++i) {
    c = ((c + (direction > 0 ? 1 : -1)) % count + count) % count;
    if (AlignChannelAt(data_, c).programmed) {
      found = true;
      break;
    }
  }
  if (!found) return kAlignOk;
  const int r = link_.SelectChannel(c);
  if (r != kAlignOk) return Fail(r);
  data_.channel = c;
  return kAlignOk;
}
