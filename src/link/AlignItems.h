#pragma once
// The alignment window without its window: the alignment channels of the
// uploaded data, and each alignment item's Start, value change, Ok, Cancel
// and meter poll as command sequences over the alignment link. Failures are
// told with a message box; the window only shows the state kept here.
#include <array>
#include <cstdint>
#include <string>

#include "link/AlignLink.h"
#include "link/AlignStart.h"

enum AlignItem : int {
  kItemPowerHigh = 0,
  kItemPowerLowHigh = 1,  // portable: "Power Low"
  kItemPowerLowMid = 2,
  kItemMaxDeviation = 3,
  kItemModBalance = 4,
  kItemCtcss = 5,
  kItemDcs = 6,
  kItemLtr = 7,
  kItemSeqTone = 8,
  kItemReference = 9,
  kItemStdDeviation = 10,  // portable only
  kItemTightNoise = 11,
  kItemThresholdNoise = 12,
  kItemRxTune = 13,
  kItemTightRssi = 14,
  kItemFullScaleRssi = 15,  // portable: "TX Save RSSI"
  kItemTxVcv = 16,
  kItemRxVcv = 17,
  kItemNone = 18,
};

// Whether a family's window offers the item.
bool AlignItemExists(Family family, int item);

// One alignment channel as the window shows it.
struct AlignChannelInfo {
  bool programmed = false;
  bool wide = false;
  int rxStep = 0;
  double rxMHz = 0;
  double txMHz = 0;
  double ifMHz = 0;
  std::uint8_t tune = 0;
};

AlignChannelInfo AlignChannelAt(const AlignData& data, int channel);
// The serial number as the main window shows it: mobile from block 256,
// portable from its tune block 167.
std::string AlignSerialText(const AlignData& data);

// Slider maxima (clamped to a byte) and second-meter limits per item, from
// a configuration's range tables.
struct AlignRanges {
  std::array<int, kItemNone> slider{};
  std::array<int, kItemNone> meter{};
};
class CConfigFileBase;
// The radio's family's own configuration's limits.
AlignRanges CurrentAlignRanges(const AlignData& data);
// productCode picks the CTCSS slider's entry.
AlignRanges AlignRangesOf(const CConfigFileBase& config, std::uint8_t productCode);

// The '3' argument bytes of the current channel: the stored values of its
// bandwidth, arranged for a mode (0 DCS and reference, 1 deviation, 2 CTCSS,
// 3 LTR; portable 4: the STD deviation).
class CAlignChannelValues {
public:
  void Select(const AlignData& data, int mode);
  std::uint8_t GetValue() const { return bytes_[valueIndex_]; }
  void SetValue(std::uint8_t v) { bytes_[valueIndex_] = v; }
  std::uint8_t& operator[](std::size_t i) { return bytes_[i]; }
  std::uint8_t operator[](std::size_t i) const { return bytes_[i]; }

private:
  std::array<std::uint8_t, 14> bytes_{};
  std::size_t valueIndex_ = 10;
};

// Averaged meter polls, shown every this many.
inline constexpr int kAlignPollsPerDisplay = 4;

class CAlignSession {
public:
  CAlignSession(CAlignLink& link, AlignData& data, const AlignRanges& ranges);

  AlignData& Data() { return data_; }
  Family GetFamily() const { return data_.family; }
  int Item() const { return item_; }
  bool Measuring() const { return item_ != kItemNone; }
  // The item polls the meter while measuring.
  bool Polling() const { return polling_; }
  int Value() const { return value_; }
  int SavedValue() const { return savedValue_; }
  int SliderMax() const { return sliderMax_; }
  int MeterMax() const { return meterMax_; }
  // The second meter: the averaged byte shown, -1 before the first display.
  int Meter() const { return meter_; }
  AlignChannelInfo Channel() const { return AlignChannelAt(data_, data_.channel); }

  // Each gives kAlignOk or the failed command's code, told in a box.
  int Start(int item);
  int Adjust(int value);
  int Poll();
  int Ok();
  // Always ends the measurement; the transmitter is unkeyed even when an
  // earlier step failed, and whenever '4' went out, whatever its answer.
  int Cancel();
  // One step up (+1) or down (-1) to the next programmed channel; with no
  // programmed channel the current one stays.
  int StepChannel(int direction);

private:
  int Fail(int code);
  int Cmd(std::uint8_t command, std::initializer_list<std::uint8_t> args = {});
  int StartMobile();
  int StartPortable();
  int SendValue();
  int SendPortableChannelValues();
  int OkMobile();
  int OkPortable();
  // Cancel's steps go on after a failure; the first failure is the result.
  void CancelMobile();
  void CancelPortable();
  void Step(int result);
  // The item's byte of the word buffer (bandwidth by the current channel).
  int ValueByte() const;
  int StoreValue(std::uint8_t value);
  int StoreTune();
  int ModeOf() const;
  std::uint8_t B(int n) const { return data_.Byte(n); }
  bool MobileProduct() const;
  void Idle();

  CAlignLink& link_;
  AlignData& data_;
  AlignRanges ranges_;
  int item_ = kItemNone;
  int value_ = 0;
  int savedValue_ = 0;
  int sliderMax_ = 0;
  int meterMax_ = 0;
  bool polling_ = false;
  int meter_ = -1;
  int polls_ = 0;
  std::array<int, 8> sums_{};
  std::array<std::uint8_t, 8> averaged_{};
  bool averagedValid_ = false;
  CAlignChannelValues values_;
  bool keyed_ = false;
  int cancelResult_ = kAlignOk;
};
