#include "model/ChannelRecord.h"

#include <algorithm>
#include <limits>

#include "model/RadioImage.h"

namespace {

// Mobile slot: 25 bytes.
namespace mobile_slot {
constexpr std::size_t kMode = 0;
constexpr std::size_t kRxCount = 1;  // 3 bytes; byte 1 = 0xFF: not programmed
constexpr std::size_t kRxBandWord = 4;
constexpr std::size_t kRxBandByte = 6;
constexpr std::size_t kRxSynth = 7;
constexpr std::size_t kTxCount = 9;
constexpr std::size_t kTxBandWord = 12;
constexpr std::size_t kBandTuneFirst = 14;  // band and tune byte 0
constexpr std::size_t kTxSynth = 15;
constexpr std::size_t kBandTuneRest = 17;  // band and tune bytes 1-8
}  // namespace mobile_slot

// Portable slot: 22 bytes.
namespace portable_slot {
constexpr std::size_t kRxCount = 0;  // 3 bytes; byte 0 = 0xFF: not programmed
constexpr std::size_t kRxBandByte = 3;
constexpr std::size_t kRxSynth = 4;
constexpr std::size_t kTxCount = 6;
constexpr std::size_t kBandByte = 9;
constexpr std::size_t kTxSynth = 10;
constexpr std::size_t kMode = 12;
constexpr std::size_t kTuneLevel = 13;
constexpr std::size_t kFlags = 14;
constexpr std::size_t kBand = 15;  // 7 bytes
// What an unprogrammed slot holds in its two count fields.
constexpr std::uint8_t kEmptyRxCount[3] = {0xFF, 0x2E, 18};
constexpr std::uint8_t kEmptyTxCount[3] = {80, 46, 71};
}  // namespace portable_slot

// Where one direction of a slot lives: its 3-byte count and its
// big-endian synthesizer value.
struct SlotSide {
  std::size_t count;
  std::size_t synth;
};

// The synthesizer count N in three bytes, mobile coding: 0x20 | bits 14-18,
// bits 6-13, (bits 0-5) x 4 | 1.
struct MobileCountCode {
  static void Put(std::uint8_t* p, std::uint32_t n) {
    const std::uint32_t high = n / 64;
    p[0] = static_cast<std::uint8_t>(0x20 | ((high >> 8) & 0x1F));
    p[1] = static_cast<std::uint8_t>(high & 0xFF);
    p[2] = static_cast<std::uint8_t>(((n % 64) * 4) | 1);
  }
  static std::uint32_t Get(const std::uint8_t* p) { return (p[0] & 0x1Fu) * 16384u + p[1] * 64u + p[2] / 4u; }
  // A frequency of 0 leaves the count bytes clear.
  static void PutNone(std::uint8_t*) {}
  static bool IsNone(const std::uint8_t* p) { return (p[0] & 0x1F) == 0 && p[1] == 0 && p[2] / 4 == 0; }
};

// Portable coding: N = R + 8 x (B + 8 A + 64 (M + A + B) + 200), with R in
// the high nibble of byte 0, the 12-bit M in the low nibble of byte 0 and in
// byte 1, A and B in the nibbles of byte 2. Counts outside the radio's range
// wrap within the fields.
struct PortableCountCode {
  static void Put(std::uint8_t* p, std::uint32_t n) {
    const std::uint32_t r = n % 8;
    const std::uint32_t q = n / 8;
    const std::uint32_t pp = q - 8;
    const std::uint32_t a = (pp % 64) / 8;
    const std::uint32_t b = pp % 8;
    const std::uint32_t m = (pp / 64 - a - b - 3) & 0x0FFF;
    p[0] = static_cast<std::uint8_t>(r << 4 | m >> 8);
    p[1] = static_cast<std::uint8_t>(m & 0xFF);
    p[2] = static_cast<std::uint8_t>(a << 4 | b);
  }
  static std::uint32_t Get(const std::uint8_t* p) {
    const std::uint32_t r = p[0] >> 4;
    const std::uint32_t m = (p[0] & 0x0Fu) << 8 | p[1];
    const std::uint32_t a = p[2] >> 4;
    const std::uint32_t b = p[2] & 0x0Fu;
    return r + 8 * (b + 8 * a + 64 * (m + a + b) + 200);
  }
  static void PutNone(std::uint8_t* p) { p[0] = p[1] = p[2] = 0xFF; }
  static bool IsNone(const std::uint8_t* p) { return p[0] == 0xFF && p[1] == 0xFF && p[2] == 0xFF; }
};

constexpr std::uint16_t kNoFrequencySynth = 0xFFFF;

FrequencyCount ClampToCount(std::int64_t f) {
  if (f < 0) return 0;
  if (f > std::numeric_limits<FrequencyCount>::max()) return std::numeric_limits<FrequencyCount>::max();
  return static_cast<FrequencyCount>(f);
}

// The frequency a slot side holds. Synthesizer bytes of 0 mean the band's
// default frequency, unless they are just what the count gives (N less the
// bias is 0 in its low 16 bits): then the count is a frequency this program
// packed and it is read back as such. 0xFFFF over empty count bytes is the
// mark a frequency of 0 leaves. A receive frequency has the IF offset taken
// back out.
template <class Code>
FrequencyCount DecodeSide(const std::uint8_t* slot, SlotSide side, int stepCode, const CBandRecord& band,
                          bool receive, bool uhf, std::int64_t bias) {
  const std::uint16_t synth = GetBE16(slot + side.synth);
  const std::uint32_t n = Code::Get(slot + side.count);
  if (synth == 0 && (n == 0 || ((static_cast<std::int64_t>(n) - bias) & 0xFFFF) != 0))
    return uhf ? 45000000 : 15000000;
  if (synth == kNoFrequencySynth && Code::IsNone(slot + side.count)) return 0;
  std::int64_t f = static_cast<std::int64_t>(n) * band.StepCount(stepCode);
  if (receive) f += band.IfOffsetMinus(stepCode) ? -band.IfOffsetCount(stepCode) : band.IfOffsetCount(stepCode);
  return ClampToCount(f);
}

// Packs one side; returns the synthesizer count N (0 for no frequency).
// The receive side works on the frequency with the IF offset applied. The
// +1 repairs a count that an MHz conversion left one short of its grid point.
template <class Code, class Bias>
std::uint32_t EncodeSide(std::uint8_t* slot, SlotSide side, FrequencyCount frequency, int stepCode,
                         const CBandRecord& band, bool receive, Bias bias) {
  if (frequency == 0) {
    Code::PutNone(slot + side.count);
    PutBE16(slot + side.synth, kNoFrequencySynth);
    return 0;
  }
  std::int64_t f = frequency;
  if (receive) {
    f += band.IfOffsetMinus(stepCode) ? band.IfOffsetCount(stepCode) : -band.IfOffsetCount(stepCode);
    if (f < 0) f = 0;
    if (f % 10 == 9) f += 1;
  } else if (f % 5 == 4) {
    f += 1;
  }
  const auto n = static_cast<std::uint32_t>(f / band.StepCount(stepCode));
  Code::Put(slot + side.count, n);
  PutBE16(slot + side.synth, static_cast<std::uint16_t>((static_cast<std::int64_t>(n) - bias(stepCode)) & 0xFFFF));
  return n;
}

// What the synthesizer value subtracts from N, by step code on a VHF radio.
// A transmit count on the 1.25 kHz grid takes 0x14000, chosen by the
// transmit step code like every other transmit bias.
constexpr std::int64_t kMobileUhfBias = 0xA000;
constexpr std::int64_t kMobileVhfRxBias[4] = {0, 0, 0x8000, 0x20000};
constexpr std::int64_t kMobileVhfTxBias[4] = {0, 0, 0x8000, 0x14000};
constexpr std::int64_t kPortableVhfBias[4] = {0, 0, 0x8000, 0};
constexpr std::int64_t kPortableUhfBias = 0x8000;
constexpr std::int64_t kPortableWideUhfBias = 0x10000;  // model codes 130 and 186

bool IsPortableWideUhfModel(std::uint8_t modelCode) { return modelCode == 130 || modelCode == 186; }

std::int64_t MobileBias(bool uhf, bool receive, int code) {
  if (uhf) return kMobileUhfBias;
  return receive ? kMobileVhfRxBias[code] : kMobileVhfTxBias[code];
}

// A UHF portable radio is one of band flag 0x80 or 0x60, or of a wide UHF model.
std::int64_t PortableBias(const ChannelCodecContext& ctx, int code) {
  const bool wideUhf = IsPortableWideUhfModel(ctx.modelCode);
  if (!ctx.IsUhf() && !wideUhf) return kPortableVhfBias[code];
  return wideUhf ? kPortableWideUhfBias : kPortableUhfBias;
}

// The segment row of a frequency, zero-padded to the widest row.
using RowBytes = std::array<std::uint8_t, MobileAdjustmentHeader::kRowSize>;
RowBytes SegmentRowBytes(const AdjustmentView& adjust, FrequencyCount f) {
  RowBytes row{};
  if (adjust.rows == nullptr || adjust.rowCount == 0) return row;
  const std::uint8_t* src = adjust.rows + FindSegmentRow(adjust, f) * adjust.rowSize;
  std::copy_n(src, std::min(adjust.rowSize, row.size()), row.begin());
  return row;
}

// A band word: 0xC000, then bits 3-5 of b at 10-12, bits 0-2 of b at 7-9, a
// nibble at 3-6, and bit 2.
std::uint16_t BandWord(std::uint8_t b, std::uint8_t nibble) {
  return static_cast<std::uint16_t>(0xC000 | ((b >> 3) & 7) << 10 | (b & 7) << 7 | (nibble & 0x0F) << 3 | 4);
}

// A receive frequency and what follows from it, the same steps for both
// families: on its grid, its flags and tune level, then the transmit
// frequency at the Default Split on its own grid with its flags and band
// fields.
template <class Record, class Normalize>
void ApplyRxFrequency(Record& r, double rx, const ChannelCodecContext& ctx, Normalize normalize) {
  r.SetRxStepCode(normalize(rx));
  r.SetRxOnMHzGrid(IsOnMHzGrid(rx));
  r.SetRxShift(IsNearClockSpur921k(rx));
  r.ComputeTuneLevel(rx, ctx);
  double tx = 0;
  if (rx != 0) {
    tx = rx + ctx.defaultSplitMHz;
    r.SetTxStepCode(normalize(tx));
    if (!ctx.IsUhf()) r.SetTxShift(IsNearClockSpur80k(tx));
    r.ComputeBandFields(tx, ctx);
  }
  r.m_rxFrequency = MHzToCount(rx);
  r.m_txFrequency = MHzToCount(tx);
}

// New channel frequencies: the band's default receive frequency.
template <class Record, class Normalize>
void ApplyDefaultFrequencies(Record& r, const ChannelCodecContext& ctx, Normalize normalize) {
  ApplyRxFrequency(r, ctx.IsUhf() ? 450.0 : 134.0, ctx, normalize);
  r.m_name = "        ";
  r.m_programmed = 0;
}

int NormalizeFor(const CMobileChannelRecord&, double& mhz, const ChannelCodecContext& ctx) {
  return NormalizeFrequencyMobile(mhz, ctx.Band(), ctx.modelCode, ctx.productCode);
}
int NormalizeFor(const CPortableChannelRecord&, double& mhz, const ChannelCodecContext& ctx) {
  return NormalizeFrequencyPortable(mhz, ctx.Band(), ctx.modelCode);
}

// The mobile radio takes the shift flags of a frequency's band segment where
// the segment table says so (1 off, 2 on, 0 no segment: the comb test stands).
void ApplySegmentShifts(CMobileChannelRecord& r, double rx, double tx, bool rxToo, const ChannelCodecContext& ctx) {
  if (rxToo) {
    if (const int s = LookupBandEnable(rx, ctx.modelCode); s != 0) r.SetRxShift(s == 2);
  }
  if (const int s = LookupBandEnable(tx, ctx.modelCode); s != 0) r.SetTxShift(s == 2);
}
void ApplySegmentShifts(CPortableChannelRecord&, double, double, bool, const ChannelCodecContext&) {}

}  // namespace

std::size_t FindSegmentRow(const AdjustmentView& adjust, FrequencyCount frequency) {
  const std::int64_t x = frequency / 10000;  // whole 0.1 MHz
  for (std::size_t k = 0; k < adjust.rowCount && k + 1 < adjust.entryCount; ++k)
    if (x <= adjust.entryWords[k + 1]) return k;
  for (std::size_t k = std::min(adjust.rowCount, adjust.entryCount); k-- > 0;)
    if (adjust.entryWords[k] != 0) return k;
  return 0;
}

std::uint8_t TuneLevelFor(const AdjustmentView& adjust, FrequencyCount frequency) {
  const std::int64_t x = frequency / 10000;
  const std::int64_t ref = adjust.headerWord;
  const std::int64_t level = adjust.level;
  if (x <= ref) {
    const std::int64_t d = (ref - x) * adjust.down / 100;
    return static_cast<std::uint8_t>(d > level ? 0 : level - d);
  }
  const std::int64_t d = (x - ref) * adjust.up / 100;
  return static_cast<std::uint8_t>(level + d > 255 ? 255 : level + d);
}

const CBandRecord& ChannelCodecContext::Band() const {
  static const CMobileBandRecord kNoBand = [] {
    CMobileBandRecord b;
    b.m_ifOffset = {};
    return b;
  }();
  return band != nullptr ? *band : kNoBand;
}

// ---------------------------------------------------------------- mobile

void CMobileChannelRecord::SetDefaults(const ChannelCodecContext& ctx) {
  m_mode = 0x40;  // wide
  m_rxSynthWord = m_txSynthWord = 0x6FFF;
  m_rxLow = m_txLow = 0xFD;
  m_rxBandWord = m_txBandWord = 0xDFFC;
  m_rxBandByte = 0xFF;
  m_bandTune = {};
  m_bandTune[0] = 0xFF;
  ApplyDefaultFrequencies(*this, ctx, [&ctx](double& mhz) {
    return NormalizeFrequencyMobile(mhz, ctx.Band(), ctx.modelCode, ctx.productCode);
  });
}

void CMobileChannelRecord::LoadFromSlot(const std::uint8_t* slot, const ChannelCodecContext& ctx) {
  using namespace mobile_slot;
  m_mode = static_cast<std::uint8_t>((m_mode & 0x30) | (slot[kMode] & 0xCF));
  const CBandRecord& band = ctx.Band();
  const bool uhf = ctx.IsUhf();
  m_rxFrequency = DecodeSide<MobileCountCode>(slot, {kRxCount, kRxSynth}, RxStepCode(), band, true, uhf,
                                              MobileBias(uhf, true, RxStepCode()));
  m_txFrequency = DecodeSide<MobileCountCode>(slot, {kTxCount, kTxSynth}, TxStepCode(), band, false, uhf,
                                              MobileBias(uhf, false, TxStepCode()));
  if (slot[kRxCount] == 0xFF) {
    m_programmed &= ~1;
    m_rxSynthWord = kUnprogrammedMarker;
    return;
  }
  m_programmed |= 1;
  m_rxSynthWord = GetBE16(slot + kRxCount);
  m_rxLow = slot[kRxCount + 2];
  m_rxBandWord = GetBE16(slot + kRxBandWord);
  m_rxBandByte = slot[kRxBandByte];
  m_txSynthWord = GetBE16(slot + kTxCount);
  m_txLow = slot[kTxCount + 2];
  m_txBandWord = GetBE16(slot + kTxBandWord);
  m_bandTune[0] = slot[kBandTuneFirst];
  std::copy_n(slot + kBandTuneRest, 8, m_bandTune.begin() + 1);
}

void CMobileChannelRecord::StoreToSlot(std::uint8_t* slot, const ChannelCodecContext& ctx) {
  using namespace mobile_slot;
  std::fill_n(slot, kSlotSize, 0);
  if (!IsProgrammed()) {
    m_rxSynthWord = kUnprogrammedMarker;
    PutBE16(slot + kRxCount, kUnprogrammedMarker);
    return;
  }
  const CBandRecord& band = ctx.Band();
  const bool uhf = ctx.IsUhf();
  const int rxCode = RxStepCode();
  const int txCode = TxStepCode();
  EncodeSide<MobileCountCode>(slot, {kRxCount, kRxSynth}, m_rxFrequency, rxCode, band, true,
                              [uhf](int code) { return MobileBias(uhf, true, code); });
  if (m_rxFrequency != 0) {
    m_rxSynthWord = GetBE16(slot + kRxCount);
    m_rxLow = slot[kRxCount + 2];
  }
  ComputeTuneLevel(CountToMHz(m_rxFrequency), ctx);
  EncodeSide<MobileCountCode>(slot, {kTxCount, kTxSynth}, m_txFrequency, txCode, band, false,
                              [uhf](int code) { return MobileBias(uhf, false, code); });
  if (m_txFrequency != 0) {
    m_txSynthWord = GetBE16(slot + kTxCount);
    m_txLow = slot[kTxCount + 2];
  }
  ComputeBandFields(CountToMHz(m_txFrequency), ctx);
  slot[kMode] = m_mode;
  PutBE16(slot + kRxBandWord, m_rxBandWord);
  slot[kRxBandByte] = m_rxBandByte;
  PutBE16(slot + kTxBandWord, m_txBandWord);
  slot[kBandTuneFirst] = m_bandTune[0];
  std::copy_n(m_bandTune.begin() + 1, 8, slot + kBandTuneRest);
}

void CMobileChannelRecord::ComputeTuneLevel(double rxMHz, const ChannelCodecContext& ctx) {
  const FrequencyCount f = MHzToCount(rxMHz);
  const RowBytes row = SegmentRowBytes(ctx.adjust, f);
  m_bandTune[1] = TuneLevelFor(ctx.adjust, f);
  m_rxBandWord = BandWord(row[0], row[2] >> 4);
  m_rxBandByte = row[3];
}

void CMobileChannelRecord::ComputeBandFields(double txMHz, const ChannelCodecContext& ctx) {
  const RowBytes row = SegmentRowBytes(ctx.adjust, MHzToCount(txMHz));
  m_txBandWord = BandWord(row[1], row[2]);
  m_bandTune[0] = row[5];
  m_bandTune[2] &= 0x60;  // only the two spur flags survive
  m_bandTune[3] = row[4];
  m_bandTune[4] = ClampOffset(ctx.Tuning(2), row[6]);
  m_bandTune[5] = ClampOffset(ctx.Tuning(1), row[7]);
  // Wide and narrow channels take neighbouring columns of the row.
  const int c = (m_mode & 0x40) ? 0 : 1;
  m_bandTune[6] = row[9 + c];
  m_bandTune[7] = ClampOffset(ctx.Tuning(7 - c), row[11 + c]);
  m_bandTune[8] = row[13];
}

// -------------------------------------------------------------- portable

void CPortableChannelRecord::SetDefaults(const ChannelCodecContext& ctx) {
  m_firstWord = 0x70FF;
  m_rxBandByte = 0xFF;
  m_bandByte = 0;
  m_band = {0xFF, 0xFF, 0xFF, 0, 0xFF, 0xFF, 0xFF};
  m_mode = 0;
  m_tuneLevel = 0;
  m_flags = 0;  // wide
  ApplyDefaultFrequencies(*this, ctx, [&ctx](double& mhz) {
    return NormalizeFrequencyPortable(mhz, ctx.Band(), ctx.modelCode);
  });
}

void CPortableChannelRecord::LoadFromSlot(const std::uint8_t* slot, const ChannelCodecContext& ctx) {
  using namespace portable_slot;
  // The step codes come first: the frequencies need them.
  m_mode = static_cast<std::uint8_t>((m_mode & 0x0F) | (slot[kMode] & 0xF0));
  const CBandRecord& band = ctx.Band();
  m_rxFrequency = DecodeSide<PortableCountCode>(slot, {kRxCount, kRxSynth}, RxStepCode(), band, true, ctx.IsUhf(),
                                                PortableBias(ctx, RxStepCode()));
  m_txFrequency = DecodeSide<PortableCountCode>(slot, {kTxCount, kTxSynth}, TxStepCode(), band, false, ctx.IsUhf(),
                                                PortableBias(ctx, TxStepCode()));
  if (slot[kRxCount] == 0xFF) {
    m_programmed &= ~1;
    m_firstWord = kUnprogrammedMarker;
    return;
  }
  m_programmed |= 1;
  m_firstWord = GetBE16(slot + kRxCount);
  m_rxBandByte = slot[kRxBandByte];
  m_bandByte = slot[kBandByte];
  m_mode = slot[kMode];
  m_tuneLevel = slot[kTuneLevel];
  m_flags = slot[kFlags];
  std::copy_n(slot + kBand, m_band.size(), m_band.begin());
}

void CPortableChannelRecord::StoreToSlot(std::uint8_t* slot, const ChannelCodecContext& ctx) {
  using namespace portable_slot;
  std::fill_n(slot, kSlotSize, 0);
  m_mode &= 0xF0;
  // The mark of no receive frequency (0xFF in byte 0) is also the mark of an
  // empty slot: a channel without one goes out as the empty slot it reads
  // back as.
  if (!IsProgrammed() || m_rxFrequency == 0) {
    m_firstWord = kUnprogrammedMarker;
    std::copy_n(kEmptyRxCount, 3, slot + kRxCount);
    std::copy_n(kEmptyTxCount, 3, slot + kTxCount);
    slot[kMode] = m_mode;
    return;
  }
  const CBandRecord& band = ctx.Band();
  const auto bias = [&ctx](int code) { return PortableBias(ctx, code); };
  EncodeSide<PortableCountCode>(slot, {kRxCount, kRxSynth}, m_rxFrequency, RxStepCode(), band, true, bias);
  m_firstWord = GetBE16(slot + kRxCount);
  ComputeTuneLevel(CountToMHz(m_rxFrequency), ctx);
  EncodeSide<PortableCountCode>(slot, {kTxCount, kTxSynth}, m_txFrequency, TxStepCode(), band, false, bias);
  ComputeBandFields(CountToMHz(m_txFrequency), ctx);
  slot[kRxBandByte] = m_rxBandByte;
  slot[kBandByte] = m_bandByte;
  slot[kMode] = m_mode;
  slot[kTuneLevel] = m_tuneLevel;
  slot[kFlags] = m_flags;
  std::copy_n(m_band.begin(), m_band.size(), slot + kBand);
}

void CPortableChannelRecord::ComputeTuneLevel(double rxMHz, const ChannelCodecContext& ctx) {
  const FrequencyCount f = MHzToCount(rxMHz);
  const RowBytes row = SegmentRowBytes(ctx.adjust, f);
  m_tuneLevel = TuneLevelFor(ctx.adjust, f);
  m_rxBandByte = static_cast<std::uint8_t>((m_rxBandByte & 0x80) | (row[0] & 0x7F));
}

void CPortableChannelRecord::ComputeBandFields(double txMHz, const ChannelCodecContext& ctx) {
  // Seven band bytes: (tuning byte, row byte) pairs; the last five take the
  // tuning byte after the listed one on a narrow channel.
  struct Pair {
    std::size_t tuning;
    std::size_t row;
    bool bySpacing;
  };
  static constexpr Pair kBandPairs[7] = {
      {2, 2, false}, {0, 3, false}, {4, 6, true}, {6, 7, true}, {8, 8, true}, {10, 9, true}, {12, 10, true},
  };
  const RowBytes row = SegmentRowBytes(ctx.adjust, MHzToCount(txMHz));
  const std::size_t n = IsWide() ? 0 : 1;
  m_bandByte = row[1];
  for (std::size_t i = 0; i < m_band.size(); ++i) {
    const Pair& p = kBandPairs[i];
    m_band[i] = ClampOffset(ctx.Tuning(p.tuning + (p.bySpacing ? n : 0)), row[p.row]);
  }
}

// --------------------------------------------------------------- editing

template <class Derived>
void ChannelRecordBase<Derived>::CommitRxFrequency(double rxMHz, const ChannelCodecContext& ctx) {
  Derived& self = Self();
  SetProgrammed(true);
  const auto normalize = [&](double& mhz) { return NormalizeFor(self, mhz, ctx); };
  ApplyRxFrequency(self, rxMHz, ctx, normalize);
  ApplySegmentShifts(self, CountToMHz(m_rxFrequency), CountToMHz(m_txFrequency), true, ctx);
}

template <class Derived>
bool ChannelRecordBase<Derived>::CommitTxFrequency(double txMHz, const ChannelCodecContext& ctx) {
  if (!IsProgrammed()) return false;
  Derived& self = Self();
  double tx = txMHz;
  self.SetTxStepCode(NormalizeFor(self, tx, ctx));
  if (!ctx.IsUhf()) self.SetTxShift(IsNearClockSpur80k(tx));
  self.ComputeBandFields(tx, ctx);
  ApplySegmentShifts(self, 0, tx, false, ctx);
  m_txFrequency = MHzToCount(tx);
  return true;
}

template <class Derived>
bool ChannelRecordBase<Derived>::SetProgrammed(bool on) {
  const bool was = IsProgrammed();
  std::uint16_t& marker = Self().MarkerWord();
  if (on) {
    m_programmed |= 1;
    // The high byte 0xFF marks an empty slot; the pack writes the real word.
    if ((marker >> 8) == 0xFF) marker = static_cast<std::uint16_t>((marker & Derived::kMarkerKept) | 0x7000);
  } else {
    m_programmed &= ~1;
    marker = static_cast<std::uint16_t>(marker | 0xFF00);
  }
  return was != on;
}

template struct ChannelRecordBase<CMobileChannelRecord>;
template struct ChannelRecordBase<CPortableChannelRecord>;

bool CMobileChannelRecord::Enable() {
  if (!SetProgrammed(true)) return false;
  MakeNarrow();  // a channel taken into use starts narrow
  return true;
}

bool CPortableChannelRecord::Enable() { return SetProgrammed(true); }
