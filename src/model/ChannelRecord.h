#pragma once
// RF channel records of both families and their image slots. A channel keeps
// its receive and transmit frequency as 10 Hz counts; everything else in its
// slot (synthesizer counts, band words, tune level, power and tune bytes) is
// derived from them through the band record and the radio's adjustment data
// whenever the channel is packed.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/BandRecord.h"
#include "model/FrequencyRules.h"

// The radio's adjustment header as the radio data object keeps it: a
// reference frequency with the tune level there and its slopes, and a table
// of frequency segments (entry words, 0.1 MHz) with one row of band bytes per
// segment. Mobile: 16 rows of 14 bytes, 17 entry words; portable: 8 rows of
// 11 bytes, 9 entry words.
template <std::size_t Rows, std::size_t RowSize>
struct AdjustmentHeader {
  static constexpr std::size_t kRows = Rows;
  static constexpr std::size_t kRowSize = RowSize;
  static constexpr std::size_t kEntries = Rows + 1;

  int headerWord = 0;                      // reference frequency, 0.1 MHz
  std::array<std::uint8_t, 3> bytes{};     // tune level at the reference, slope up, slope down
  std::array<std::uint8_t, Rows * RowSize> rows{};  // row k at k * RowSize
  std::array<int, Rows + 1> entryWords{};  // segment limits, 0.1 MHz

  bool operator==(const AdjustmentHeader&) const = default;

  std::uint8_t* Row(std::size_t k) { return rows.data() + k * RowSize; }
  const std::uint8_t* Row(std::size_t k) const { return rows.data() + k * RowSize; }
};
using MobileAdjustmentHeader = AdjustmentHeader<16, 14>;
using PortableAdjustmentHeader = AdjustmentHeader<8, 11>;

// A read-only view of either family's header, for the shared arithmetic.
struct AdjustmentView {
  int headerWord = 0;
  std::uint8_t level = 0;
  std::uint8_t up = 0;
  std::uint8_t down = 0;
  const std::uint8_t* rows = nullptr;  // rowCount rows of rowSize bytes
  std::size_t rowSize = 0;
  std::size_t rowCount = 0;
  const int* entryWords = nullptr;  // rowCount + 1 words
  std::size_t entryCount = 0;

  template <std::size_t R, std::size_t S>
  static AdjustmentView Of(const AdjustmentHeader<R, S>& h) {
    return {h.headerWord, h.bytes[0], h.bytes[1], h.bytes[2], h.rows.data(), S, R, h.entryWords.data(), R + 1};
  }
};

// The segment row of a frequency: the first k with x <= entry word k + 1,
// x being the frequency in whole 0.1 MHz. Above every entry word the row of
// the last non-zero entry word is used (the top segment), row 0 when there is
// none.
std::size_t FindSegmentRow(const AdjustmentView& adjust, FrequencyCount frequency);
// Tune level of a receive frequency: the reference level moved by the slope
// per 0.1 MHz x 1/100, limited to 0..255.
std::uint8_t TuneLevelFor(const AdjustmentView& adjust, FrequencyCount frequency);

// Everything a channel codec reads from records other than the channel:
// the radio-wide model code and the radio data's product code (band and
// band limits), the Default Split (new channels), the band record (steps and
// IF offsets), the adjustment header and the per-radio tuning bytes
// (mobile image bytes 14-29, portable 12-25). The pointers must outlive the
// call; a null band record or tuning pointer reads as all zero.
struct ChannelCodecContext {
  std::uint8_t modelCode = kFamilyMobileUhf;  // image byte 0x20 as the radio-wide record keeps it
  std::uint8_t productCode = 0;               // high byte of the radio data's identification word
  double defaultSplitMHz = 0.0;
  const CBandRecord* band = nullptr;
  AdjustmentView adjust;
  const std::uint8_t* tuning = nullptr;
  std::size_t tuningSize = 0;

  bool IsUhf() const { return IsUhfFamilyCode(modelCode); }
  const CBandRecord& Band() const;
  std::uint8_t Tuning(std::size_t i) const { return tuning != nullptr && i < tuningSize ? tuning[i] : 0; }
};

// What both channel records share: the two frequencies, the name, the
// programmed flag, and the step-code and flag accessors over each family's
// own mode and flag bytes (Derived names their bits).
template <class Derived>
struct ChannelRecordBase {
  FrequencyCount m_rxFrequency = 0;
  FrequencyCount m_txFrequency = 0;
  std::string m_name;             // up to 10 characters; not stored in the image
  std::uint8_t m_programmed = 0;  // bit 0 set = channel programmed

  bool operator==(const ChannelRecordBase&) const = default;

  bool IsProgrammed() const { return (m_programmed & 1) != 0; }

  // Loads a slot, then settles a frequency no slot can carry (one below the
  // IF offset, or a count the synthesizer value contradicts) on what its
  // pack reads back as: the channel shown is the one a save and a reload, or
  // the radio, will have.
  void LoadFromSlotSettled(const std::uint8_t* slot, const ChannelCodecContext& ctx) {
    Self().LoadFromSlot(slot, ctx);
    for (int pass = 0; pass < 3; ++pass) {
      Derived copy = Self();
      std::uint8_t packed[Derived::kSlotSize];
      copy.StoreToSlot(packed, ctx);
      Derived again = Self();
      again.LoadFromSlot(packed, ctx);
      if (again.m_rxFrequency == m_rxFrequency && again.m_txFrequency == m_txFrequency &&
          again.IsProgrammed() == IsProgrammed())
        return;
      Self() = again;
    }
  }

  // Editing, as the channel list page does it. A receive frequency typed
  // in MHz programs the channel: clamped into the band and put on a grid,
  // its flags and derived fields computed, the transmit frequency receive +
  // the Default Split; a mobile radio then takes the shift flags of the
  // frequencies' band segments. A typed transmit frequency goes the same way
  // on its own, for a programmed channel only (false: nothing stored).
  void CommitRxFrequency(double rxMHz, const ChannelCodecContext& ctx);
  bool CommitTxFrequency(double txMHz, const ChannelCodecContext& ctx);
  // Programs the channel or takes it out of use; the frequencies stay. The
  // empty-slot mark of the first synthesizer word follows. true when the
  // state changed.
  bool SetProgrammed(bool on);

  int RxStepCode() const { return (Self().m_mode >> Derived::kRxStepShift) & 3; }
  int TxStepCode() const { return (Self().m_mode >> Derived::kTxStepShift) & 3; }
  void SetRxStepCode(int code) { SetStepCode(Derived::kRxStepShift, code); }
  void SetTxStepCode(int code) { SetStepCode(Derived::kTxStepShift, code); }

  bool RxOnMHzGrid() const { return Flag(Derived::kFlagRxOnMHz); }
  bool RxShift() const { return Flag(Derived::kFlagRxSpur921k); }  // near the 921.6 kHz comb
  bool TxShift() const { return Flag(Derived::kFlagTxSpur80k); }   // near the 80.139 kHz comb (VHF)
  void SetRxOnMHzGrid(bool on) { SetFlag(Derived::kFlagRxOnMHz, on); }
  void SetRxShift(bool on) { SetFlag(Derived::kFlagRxSpur921k, on); }
  void SetTxShift(bool on) { SetFlag(Derived::kFlagTxSpur80k, on); }

  // Programmed, wide, and receive or transmit inside the narrow-band range
  // of the radio's band: such a channel is narrowed before a save or send.
  bool NeedsNarrowing(const ChannelCodecContext& ctx) const {
    return IsProgrammed() && Self().IsWide() &&
           (Derived::InNarrowband(CountToMHz(m_rxFrequency), ctx.modelCode) ||
            Derived::InNarrowband(CountToMHz(m_txFrequency), ctx.modelCode));
  }

private:
  const Derived& Self() const { return static_cast<const Derived&>(*this); }
  Derived& Self() { return static_cast<Derived&>(*this); }
  bool Flag(std::uint8_t bit) const { return (Self().FlagByte() & bit) != 0; }
  void SetFlag(std::uint8_t bit, bool on) {
    std::uint8_t& b = Self().FlagByte();
    b = static_cast<std::uint8_t>(on ? (b | bit) : (b & ~bit));
  }
  void SetStepCode(int shift, int code) {
    std::uint8_t& mode = Self().m_mode;
    mode = static_cast<std::uint8_t>((mode & ~(3 << shift)) | (code & 3) << shift);
  }
};

class CMobileChannelRecord : public ChannelRecordBase<CMobileChannelRecord> {
public:
  static constexpr std::size_t kSlotSize = 25;
  static constexpr std::uint16_t kUnprogrammedMarker = 0xFF2E;

  // Bits 6-7 bandwidth (01 wide, 00 narrow), bits 2-3 receive step code,
  // bits 0-1 transmit step code, bits 4-5 other options.
  std::uint8_t m_mode = 0;
  std::uint16_t m_rxSynthWord = 0;  // 0x2000 | N / 64; 0xFF2E when not programmed
  std::uint8_t m_rxLow = 0;         // (N mod 64) x 4 | 1
  std::uint16_t m_rxBandWord = 0;
  std::uint8_t m_rxBandByte = 0;
  std::uint16_t m_txSynthWord = 0;
  std::uint8_t m_txLow = 0;
  std::uint16_t m_txBandWord = 0;
  // Slot bytes 14, 17-24. [1] is the tune level, [2] the flag byte (bit 7
  // receive on a whole MHz, bit 6 transmit near the 80.139 kHz comb, bit 5
  // receive near the 921.6 kHz comb).
  std::array<std::uint8_t, 9> m_bandTune{};

  bool operator==(const CMobileChannelRecord&) const = default;

  // Default channel: wide, 450 MHz (UHF) or 134 MHz (VHF) normalised, the
  // transmit frequency receive + Default Split, eight blank name characters,
  // not programmed.
  void SetDefaults(const ChannelCodecContext& ctx);
  void LoadFromSlot(const std::uint8_t* slot, const ChannelCodecContext& ctx);
  // Packs the record into its 25-byte slot. Recomputes the tune level and
  // band fields first, so it changes the record too.
  void StoreToSlot(std::uint8_t* slot, const ChannelCodecContext& ctx);

  void ComputeTuneLevel(double rxMHz, const ChannelCodecContext& ctx);
  void ComputeBandFields(double txMHz, const ChannelCodecContext& ctx);

  bool IsWide() const { return (m_mode & 0xC0) == 0x40; }
  void MakeNarrow() { m_mode &= 0x3F; }
  // "Enable" on the channel list: programs the channel, narrow when it was
  // not programmed. true when it was not.
  bool Enable();
  std::uint16_t& MarkerWord() { return m_rxSynthWord; }
  static constexpr std::uint16_t kMarkerKept = 0x0FFF;  // what taking the slot into use keeps
  std::uint8_t TuneLevel() const { return m_bandTune[1]; }

private:
  friend struct ChannelRecordBase<CMobileChannelRecord>;
  static constexpr int kRxStepShift = 2;
  static constexpr int kTxStepShift = 0;
  static constexpr std::uint8_t kFlagRxOnMHz = 0x80;
  static constexpr std::uint8_t kFlagTxSpur80k = 0x40;
  static constexpr std::uint8_t kFlagRxSpur921k = 0x20;
  std::uint8_t& FlagByte() { return m_bandTune[2]; }
  const std::uint8_t& FlagByte() const { return m_bandTune[2]; }
  static bool InNarrowband(double mhz, std::uint8_t modelCode) { return IsNarrowbandBandMobile(mhz, modelCode); }
};

class CPortableChannelRecord : public ChannelRecordBase<CPortableChannelRecord> {
public:
  static constexpr std::size_t kSlotSize = 22;
  static constexpr std::uint16_t kUnprogrammedMarker = 0xFF2E;

  std::uint16_t m_firstWord = 0;  // slot bytes 0-1; 0xFF2E when not programmed
  std::uint8_t m_rxBandByte = 0;  // slot byte 3
  std::uint8_t m_bandByte = 0;    // slot byte 9
  // Bits 6-7 receive step code, bits 4-5 transmit step code; bits 0-3 are
  // cleared on store.
  std::uint8_t m_mode = 0;
  std::uint8_t m_tuneLevel = 0;  // slot byte 13
  // Bit 0 narrow, bit 1 receive near the 921.6 kHz comb, bit 2 transmit near
  // the 80.139 kHz comb, bit 3 receive on a whole MHz.
  std::uint8_t m_flags = 0;
  std::array<std::uint8_t, 7> m_band{};  // slot bytes 15-21

  bool operator==(const CPortableChannelRecord&) const = default;

  void SetDefaults(const ChannelCodecContext& ctx);
  void LoadFromSlot(const std::uint8_t* slot, const ChannelCodecContext& ctx);
  void StoreToSlot(std::uint8_t* slot, const ChannelCodecContext& ctx);

  void ComputeTuneLevel(double rxMHz, const ChannelCodecContext& ctx);
  void ComputeBandFields(double txMHz, const ChannelCodecContext& ctx);

  bool IsWide() const { return (m_flags & kFlagNarrow) == 0; }
  void MakeNarrow() { m_flags |= kFlagNarrow; }
  // "Enable" on the channel list: programs the channel, spacing as it was.
  bool Enable();
  std::uint16_t& MarkerWord() { return m_firstWord; }
  static constexpr std::uint16_t kMarkerKept = 0x00FF;
  std::uint8_t TuneLevel() const { return m_tuneLevel; }

private:
  friend struct ChannelRecordBase<CPortableChannelRecord>;
  static constexpr int kRxStepShift = 6;
  static constexpr int kTxStepShift = 4;
  static constexpr std::uint8_t kFlagNarrow = 0x01;
  static constexpr std::uint8_t kFlagRxSpur921k = 0x02;
  static constexpr std::uint8_t kFlagTxSpur80k = 0x04;
  static constexpr std::uint8_t kFlagRxOnMHz = 0x08;
  std::uint8_t& FlagByte() { return m_flags; }
  const std::uint8_t& FlagByte() const { return m_flags; }
  static bool InNarrowband(double mhz, std::uint8_t modelCode) { return IsNarrowbandBandPortable(mhz, modelCode); }
};
