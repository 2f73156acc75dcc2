#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "model/ChannelRecord.h"

namespace {

// The adjustment headers a radio data object gives a new radio: reference,
// level and slopes, segment limits in 0.1 MHz, and eight rows of band bytes.
template <class Header>
Header DefaultHeader(int ref, std::array<std::uint8_t, 3> bytes, std::array<int, 9> entries) {
  Header h;
  h.headerWord = ref;
  h.bytes = bytes;
  for (std::size_t i = 0; i < entries.size(); ++i) h.entryWords[i] = entries[i];
  static const std::uint8_t kRows[8][8] = {
      {0, 0, 139, 133, 0, 0, 26, 3}, {0, 0, 137, 132, 0, 0, 19, 2}, {0, 0, 134, 131, 0, 0, 13, 1},
      {0, 0, 131, 129, 0, 0, 8, 1},  {0, 0, 0, 0, 0, 0, 0, 0},       {0, 0, 2, 1, 0, 0, 136, 130},
      {0, 0, 5, 2, 0, 0, 140, 132},  {0, 0, 8, 4, 0, 0, 143, 133},
  };
  for (std::size_t k = 0; k < 8; ++k)
    for (std::size_t i = 0; i < 8 && i < Header::kRowSize; ++i) h.Row(k)[i] = kRows[k][i];
  return h;
}

// One radio: its band record, adjustment header and tuning bytes, and the
// context the codecs read them through.
struct MobileRadio {
  CMobileBandRecord band;
  MobileAdjustmentHeader adjust;
  std::array<std::uint8_t, 16> tuning{};
  ChannelCodecContext ctx;

  explicit MobileRadio(bool uhf, std::uint8_t productCode = 0x0B) {
    band.SetDefaults(uhf);
    adjust = uhf ? DefaultHeader<MobileAdjustmentHeader>(4700, {100, 40, 35},
                                                         {4500, 4550, 4600, 4650, 4700, 4750, 4800, 4850, 4900})
                 : DefaultHeader<MobileAdjustmentHeader>(1620, {100, 40, 35},
                                                         {1500, 1530, 1560, 1590, 1620, 1650, 1680, 1710, 1740});
    for (std::size_t i = 0; i < tuning.size(); ++i) tuning[i] = static_cast<std::uint8_t>(100 + i);
    ctx.modelCode = uhf ? kFamilyMobileUhf : kFamilyMobileVhf;
    ctx.productCode = productCode;
    ctx.band = &band;
    ctx.adjust = AdjustmentView::Of(adjust);
    ctx.tuning = tuning.data();
    ctx.tuningSize = tuning.size();
  }
};

struct PortableRadio {
  CPortableBandRecord band;
  PortableAdjustmentHeader adjust;
  std::array<std::uint8_t, 14> tuning{};
  ChannelCodecContext ctx;

  explicit PortableRadio(bool uhf, std::uint8_t modelCode = 0) {
    band.SetDefaults(uhf);
    adjust = uhf ? DefaultHeader<PortableAdjustmentHeader>(4701, {124, 19, 10},
                                                           {4500, 4550, 4600, 4650, 4700, 4770, 4830, 4898, 4970})
                 : DefaultHeader<PortableAdjustmentHeader>(1610, {100, 54, 47},
                                                           {1480, 1510, 1550, 1580, 1610, 1650, 1680, 1740, 1770});
    for (std::size_t i = 0; i < tuning.size(); ++i) tuning[i] = static_cast<std::uint8_t>(50 + i);
    ctx.modelCode = modelCode != 0 ? modelCode : (uhf ? kFamilyPortableUhf : kFamilyPortableVhf);
    ctx.band = &band;
    ctx.adjust = AdjustmentView::Of(adjust);
    ctx.tuning = tuning.data();
    ctx.tuningSize = tuning.size();
  }
};

using Bytes = std::vector<std::uint8_t>;

Bytes Pick(const std::uint8_t* slot, std::initializer_list<int> positions) {
  Bytes out;
  for (int p : positions) out.push_back(slot[p]);
  return out;
}

CMobileChannelRecord MobileChannel(FrequencyCount rx, FrequencyCount tx, int rxCode, int txCode) {
  CMobileChannelRecord r;
  r.m_mode = 0x40;
  r.SetRxStepCode(rxCode);
  r.SetTxStepCode(txCode);
  r.m_rxFrequency = rx;
  r.m_txFrequency = tx;
  r.m_programmed = 1;
  return r;
}

CPortableChannelRecord PortableChannel(FrequencyCount rx, FrequencyCount tx, int rxCode, int txCode) {
  CPortableChannelRecord r;
  r.SetRxStepCode(rxCode);
  r.SetTxStepCode(txCode);
  r.m_rxFrequency = rx;
  r.m_txFrequency = tx;
  r.m_programmed = 1;
  return r;
}

// Packs a channel, checks the chosen slot bytes, and loads the slot into a
// fresh record, which must come back with the same frequencies and codes.
template <class Record>
void CheckSlot(Record r, const ChannelCodecContext& ctx, std::initializer_list<int> positions, const Bytes& expected) {
  std::uint8_t slot[Record::kSlotSize];
  r.StoreToSlot(slot, ctx);
  EXPECT_EQ(Pick(slot, positions), expected) << r.m_rxFrequency << " code " << r.RxStepCode();
  Record back;
  back.LoadFromSlot(slot, ctx);
  EXPECT_TRUE(back.IsProgrammed());
  EXPECT_EQ(back.m_rxFrequency, r.m_rxFrequency);
  EXPECT_EQ(back.m_txFrequency, r.m_txFrequency);
  EXPECT_EQ(back.RxStepCode(), r.RxStepCode());
  EXPECT_EQ(back.TxStepCode(), r.TxStepCode());
}



// Count bytes and synthesizer values of the mobile slot: bytes 1-3, 7-8,
// 9-11, 15-16. The receive side carries the IF offset (added on VHF and for
// step code 3, taken off on UHF for codes 0-2).
TEST(MobileChannelSlot, CountAndSynthesizerBytes) {
  struct Row {
    bool uhf;
    int bandIndex;
    FrequencyCount rx, tx;
    int rxCode, txCode;
    Bytes expected;
  };
  const Row rows[] = {
      {true, 0, 46000625, 46500625, 1, 1, {0x23, 0xD4, 0xE5, 0x55, 0x39, 0x24, 0x8A, 0x85, 0x82, 0xA1}},
      {true, 0, 46000500, 46500500, 0, 0, {0x24, 0xCA, 0x1D, 0x92, 0x87, 0x25, 0xAD, 0x25, 0xCB, 0x49}},
      {true, 0, 46000250, 45000000, 2, 0, {0x29, 0x94, 0x35, 0xC5, 0x0D, 0x25, 0x7E, 0x41, 0xBF, 0x90}},
      {true, 0, 46000125, 46000125, 3, 3, {0x39, 0xC3, 0xA5, 0xD0, 0xE9, 0x36, 0x76, 0x05, 0xFD, 0x81}},
      {true, 3, 46001250, 46001000, 1, 0, {0x21, 0xEA, 0x75, 0xDA, 0x9D, 0x22, 0xCE, 0xC5, 0x13, 0xB1}},
      {false, 2, 15000000, 15500000, 0, 1, {0x22, 0xA8, 0x29, 0xAA, 0x0A, 0x21, 0x83, 0x81, 0x60, 0xE0}},
      {false, 2, 15000250, 15000250, 2, 2, {0x25, 0x50, 0x55, 0xD4, 0x15, 0x23, 0xA9, 0x85, 0x6A, 0x61}},
      {false, 2, 15000125, 15000125, 3, 3, {0x2A, 0xA0, 0xA5, 0xA8, 0x29, 0x27, 0x53, 0x05, 0x94, 0xC1}},
      // A 1.25 kHz transmit grid takes its bias by the transmit step code,
      // whatever the receive code.
      {false, 2, 15000000, 15000125, 0, 3, {0x22, 0xA8, 0x29, 0xAA, 0x0A, 0x27, 0x53, 0x05, 0x94, 0xC1}},
  };
  for (const Row& row : rows) {
    MobileRadio radio(row.uhf);
    radio.band.m_bandIndex = static_cast<std::uint8_t>(row.bandIndex);
    CheckSlot(MobileChannel(row.rx, row.tx, row.rxCode, row.txCode), radio.ctx, {1, 2, 3, 7, 8, 9, 10, 11, 15, 16},
              row.expected);
  }
  // The record keeps the synthesizer words it packed, and byte 0 is the mode.
  MobileRadio radio(true);
  CMobileChannelRecord r = MobileChannel(46000625, 46500625, 1, 1);
  std::uint8_t slot[25];
  r.StoreToSlot(slot, radio.ctx);
  EXPECT_EQ(slot[0], 0x45);
  EXPECT_EQ(r.m_rxSynthWord, 0x23D4);
  EXPECT_EQ(r.m_rxLow, 0xE5);
  EXPECT_EQ(r.m_txSynthWord, 0x248A);
}

TEST(PortableChannelSlot, CountAndSynthesizerBytes) {
  struct Row {
    bool uhf;
    std::uint8_t model;
    FrequencyCount rx, tx;
    int rxCode, txCode;
    Bytes expected;  // bytes 0-2, 4-5, 6-8, 10-11
  };
  const Row rows[] = {
      {true, 0xB9, 46000625, 46500625, 1, 1, {0x10, 0x70, 0x57, 0x7F, 0xB9, 0x10, 0x89, 0x14, 0xA2, 0xA1}},
      {true, 0xB9, 46000500, 46000500, 0, 0, {0x70, 0x93, 0x54, 0xBF, 0xA7, 0x10, 0xA8, 0x44, 0xE7, 0x61}},
      {false, 0x3C, 15000250, 15000250, 2, 2, {0x50, 0x91, 0x62, 0xB9, 0xD5, 0x10, 0x6E, 0x04, 0x6A, 0x61}},
      {false, 0x3C, 15000125, 15000000, 3, 0, {0x11, 0x2C, 0x55, 0x73, 0xA9, 0x00, 0x2E, 0x36, 0x75, 0x30}},
      // The 480-512 MHz models take 0x10000 off the synthesizer count.
      {true, 186, 49000500, 49500500, 0, 0, {0x70, 0xA3, 0x32, 0x57, 0x17, 0x10, 0xB6, 0x17, 0x82, 0xB9}},
  };
  for (const Row& row : rows) {
    PortableRadio radio(row.uhf, row.model);
    CheckSlot(PortableChannel(row.rx, row.tx, row.rxCode, row.txCode), radio.ctx, {0, 1, 2, 4, 5, 6, 7, 8, 10, 11},
              row.expected);
  }
  // Byte 12 is the mode byte without its low nibble.
  PortableRadio radio(true);
  CPortableChannelRecord r = PortableChannel(46000625, 46500625, 1, 1);
  r.m_mode |= 0x0F;
  std::uint8_t slot[22];
  r.StoreToSlot(slot, radio.ctx);
  EXPECT_EQ(slot[12], 0x50);
  EXPECT_EQ(r.m_firstWord, 0x1070);
}

// Every grid point of every step code and band index, across each family's
// band, packs and unpacks to the same frequencies, codes and derived fields.
TEST(ChannelSlots, RoundTripOverTheGrids) {
  struct Band {
    bool uhf;
    FrequencyCount lower, upper;
  };
  const Band mobileBands[] = {{true, 45000000, 51200000}, {false, 13400000, 17400000}};
  const Band portableBands[] = {{true, 40000000, 51200000}, {false, 13400000, 17400000}};
  int checked = 0;
  for (int bandIndex = 0; bandIndex < 4; ++bandIndex) {
    for (int code = 0; code < 4; ++code) {
      for (const Band& b : mobileBands) {
        MobileRadio radio(b.uhf);
        radio.band.m_bandIndex = static_cast<std::uint8_t>(bandIndex);
        const FrequencyCount step = static_cast<FrequencyCount>(StepCount(code, bandIndex));
        for (FrequencyCount f = b.lower; f <= b.upper; f += step * 997) {
          CMobileChannelRecord r = MobileChannel(f, f + 500 * step, code, 3 - code);
          r.m_txFrequency -= r.m_txFrequency % static_cast<FrequencyCount>(StepCount(3 - code, bandIndex));
          r.m_mode |= 0x30;
          std::uint8_t slot[25];
          r.StoreToSlot(slot, radio.ctx);
          CMobileChannelRecord back;
          back.LoadFromSlot(slot, radio.ctx);
          ASSERT_EQ(back.m_rxFrequency, r.m_rxFrequency) << "band index " << bandIndex << " code " << code;
          ASSERT_EQ(back.m_txFrequency, r.m_txFrequency);
          ASSERT_EQ(back.m_mode, r.m_mode & 0xCF);
          ASSERT_EQ(back.m_bandTune, r.m_bandTune);
          ASSERT_EQ(back.m_rxBandWord, r.m_rxBandWord);
          ASSERT_EQ(back.m_txBandWord, r.m_txBandWord);
          std::uint8_t again[25];
          back.m_mode |= 0x30;
          back.StoreToSlot(again, radio.ctx);
          ASSERT_EQ(Bytes(slot, slot + 25), Bytes(again, again + 25));
          ++checked;
        }
      }
      for (const Band& b : portableBands) {
        PortableRadio radio(b.uhf);
        radio.band.m_bandIndex = static_cast<std::uint8_t>(bandIndex);
        const FrequencyCount step = static_cast<FrequencyCount>(StepCount(code, bandIndex));
        for (FrequencyCount f = b.lower; f <= b.upper; f += step * 997) {
          CPortableChannelRecord r = PortableChannel(f, f, code, code);
          if (f % 2 == 0) r.MakeNarrow();
          std::uint8_t slot[22];
          r.StoreToSlot(slot, radio.ctx);
          CPortableChannelRecord back;
          back.LoadFromSlot(slot, radio.ctx);
          ASSERT_EQ(back.m_rxFrequency, r.m_rxFrequency) << "band index " << bandIndex << " code " << code;
          ASSERT_EQ(back.m_txFrequency, r.m_txFrequency);
          ASSERT_EQ(back.m_mode, r.m_mode);
          ASSERT_EQ(back.m_flags, r.m_flags);
          ASSERT_EQ(back.m_band, r.m_band);
          std::uint8_t again[22];
          back.StoreToSlot(again, radio.ctx);
          ASSERT_EQ(Bytes(slot, slot + 22), Bytes(again, again + 22));
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 1000);
}

TEST(ChannelSlots, UnprogrammedSlots) {
  MobileRadio mobile(true);
  CMobileChannelRecord m = MobileChannel(46000000, 46000000, 1, 1);
  m.m_programmed = 0;
  std::uint8_t mslot[25];
  m.StoreToSlot(mslot, mobile.ctx);
  Bytes expected(25, 0);
  expected[1] = 0xFF;
  expected[2] = 0x2E;
  EXPECT_EQ(Bytes(mslot, mslot + 25), expected);
  EXPECT_EQ(m.m_rxSynthWord, 0xFF2E);

  // Whatever else the slot holds, byte 1 = 0xFF is an empty channel.
  std::uint8_t garbage[25];
  for (int i = 0; i < 25; ++i) garbage[i] = static_cast<std::uint8_t>(0x5A + 7 * i);
  garbage[1] = 0xFF;
  CMobileChannelRecord loaded = MobileChannel(46000000, 46000000, 1, 1);
  loaded.LoadFromSlot(garbage, mobile.ctx);
  EXPECT_FALSE(loaded.IsProgrammed());
  EXPECT_EQ(loaded.m_rxSynthWord, 0xFF2E);

  // Zero synthesizer bytes give the band's default frequency.
  loaded.LoadFromSlot(mslot, mobile.ctx);
  EXPECT_EQ(loaded.m_rxFrequency, 45000000u);
  MobileRadio vhf(false);
  loaded.LoadFromSlotSettled(mslot, vhf.ctx);
  EXPECT_EQ(loaded.m_txFrequency, 15000000u);

  PortableRadio portable(true);
  CPortableChannelRecord p = PortableChannel(46000000, 46000000, 1, 1);
  p.m_programmed = 0;
  p.m_mode = 0x5A;
  std::uint8_t pslot[22];
  p.StoreToSlot(pslot, portable.ctx);
  EXPECT_EQ(Bytes(pslot, pslot + 22),
            (Bytes{0xFF, 0x2E, 18, 0, 0, 0, 80, 46, 71, 0, 0, 0, 0x50, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(p.m_firstWord, 0xFF2E);
  CPortableChannelRecord ploaded = PortableChannel(46000000, 46000000, 1, 1);
  ploaded.LoadFromSlot(pslot, portable.ctx);
  EXPECT_FALSE(ploaded.IsProgrammed());
  EXPECT_EQ(ploaded.m_rxFrequency, 45000000u);
}

// A programmed channel without a frequency is marked 0xFFFF in the
// synthesizer bytes and comes back as 0, not as minus the IF offset.
TEST(ChannelSlots, ZeroFrequencyRoundTrips) {
  MobileRadio mobile(true);
  CMobileChannelRecord m = MobileChannel(0, 0, 1, 1);
  std::uint8_t mslot[25];
  m.StoreToSlot(mslot, mobile.ctx);
  EXPECT_EQ(Pick(mslot, {1, 2, 3, 7, 8, 9, 10, 11, 15, 16}), (Bytes{0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0xFF}));
  CMobileChannelRecord mback;
  mback.LoadFromSlot(mslot, mobile.ctx);
  EXPECT_TRUE(mback.IsProgrammed());
  EXPECT_EQ(mback.m_rxFrequency, 0u);
  EXPECT_EQ(mback.m_txFrequency, 0u);

  PortableRadio portable(false);
  CPortableChannelRecord p = PortableChannel(15000000, 0, 0, 0);
  std::uint8_t pslot[22];
  p.StoreToSlot(pslot, portable.ctx);
  EXPECT_EQ(Pick(pslot, {6, 7, 8, 10, 11}), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  CPortableChannelRecord pback;
  pback.LoadFromSlot(pslot, portable.ctx);
  EXPECT_EQ(pback.m_rxFrequency, 15000000u);
  EXPECT_EQ(pback.m_txFrequency, 0u);
}

TEST(ChannelTuning, SegmentRowSearch) {
  const MobileRadio mobile(true);  // entries 4500, 4550, ... 4900
  const struct {
    double mhz;
    std::size_t row;
  } mobileRows[] = {
      {300.0, 0}, {450.0, 0}, {455.0, 0}, {455.1, 1}, {470.0, 3}, {470.1, 4}, {490.0, 7},
      // Above the last entry word: the row of that word, the ninth.
      {490.1, 8}, {512.0, 8},
  };
  for (const auto& r : mobileRows) EXPECT_EQ(FindSegmentRow(mobile.ctx.adjust, MHzToCount(r.mhz)), r.row) << r.mhz;
  // Nine entry words for eight rows: above them the top row.
  const PortableRadio portable(true);
  EXPECT_EQ(FindSegmentRow(portable.ctx.adjust, MHzToCount(497.0)), 7u);
  EXPECT_EQ(FindSegmentRow(portable.ctx.adjust, MHzToCount(500.0)), 7u);
  EXPECT_EQ(FindSegmentRow(AdjustmentView{}, MHzToCount(500.0)), 0u);
  EXPECT_EQ(FindSegmentRow(AdjustmentView::Of(MobileAdjustmentHeader{}), MHzToCount(500.0)), 0u);
}

TEST(ChannelTuning, TuneLevelAroundTheReference) {
  MobileAdjustmentHeader h;  // reference 470.0 MHz, level 100, up 40, down 35
  h.headerWord = 4700;
  h.bytes = {100, 40, 35};
  const struct {
    std::uint8_t level;
    double mhz;
    std::uint8_t tune;
  } rows[] = {
      {100, 470.0, 100}, {100, 470.09, 100}, {100, 450.0, 30}, {100, 480.0, 140},
      {20, 450.0, 0},    // more down than the level: 0
      {250, 480.0, 255}, // past 255: 255
  };
  for (const auto& r : rows) {
    h.bytes[0] = r.level;
    EXPECT_EQ(TuneLevelFor(AdjustmentView::Of(h), MHzToCount(r.mhz)), r.tune) << r.mhz;
  }
  // The records keep it where their slot wants it, with the row's band bits.
  MobileRadio radio(true);
  radio.adjust.Row(0)[0] = 0x2B;  // bits 3-5 = 5, bits 0-2 = 3
  radio.adjust.Row(0)[2] = 0xA7;
  radio.adjust.Row(0)[3] = 0x33;
  CMobileChannelRecord m;
  m.ComputeTuneLevel(450.0, radio.ctx);
  EXPECT_EQ(m.TuneLevel(), 30);
  EXPECT_EQ(m.m_rxBandWord, 0xD5D4);
  EXPECT_EQ(m.m_rxBandByte, 0x33);
  PortableRadio portable(true);
  portable.adjust.Row(0)[0] = 0xFF;
  CPortableChannelRecord p;
  p.m_rxBandByte = 0x00;
  p.ComputeTuneLevel(450.0, portable.ctx);
  EXPECT_EQ(p.m_rxBandByte, 0x7F);  // bit 7 is the record's own
  EXPECT_EQ(p.TuneLevel(), 124 - (4701 - 4500) * 10 / 100);
}

TEST(ChannelTuning, MobileBandFields) {
  MobileRadio radio(true);
  radio.adjust.entryWords = {};
  radio.adjust.entryWords[1] = 9999;  // one segment for everything
  const std::uint8_t row[14] = {0x2B, 0x1D, 0x5A, 0x33, 0x44, 0x55, 0x85, 0x7F, 0x08, 0x09, 0x0A, 0x0B, 0x8C, 0x0D};
  std::copy(row, row + 14, radio.adjust.Row(0));
  radio.tuning[1] = 200;  // 200 + 127 would pass 255
  radio.tuning[2] = 3;    // 3 - 5 would pass 0
  radio.tuning[6] = 1;    // narrow column
  radio.tuning[7] = 250;  // wide column
  CMobileChannelRecord r;
  r.m_mode = 0x40;
  r.m_bandTune[2] = 0xFF;
  r.ComputeBandFields(460.0, radio.ctx);
  EXPECT_EQ(r.m_txBandWord, 0xCED4);
  EXPECT_EQ(r.m_bandTune, (std::array<std::uint8_t, 9>{0x55, 0, 0x60, 0x44, 0x83, 55, 0x09, 5, 0x0D}));
  r.MakeNarrow();
  r.ComputeBandFields(460.0, radio.ctx);
  EXPECT_EQ(r.m_bandTune[6], 0x0A);
  EXPECT_EQ(r.m_bandTune[7], 0x81);
}

TEST(ChannelTuning, PortableBandFields) {
  PortableRadio radio(false);
  radio.adjust.entryWords = {};
  radio.adjust.entryWords[1] = 9999;
  const std::uint8_t row[11] = {0x05, 0x11, 0x82, 0x03, 0xEE, 0xEE, 0x06, 0x07, 0x08, 0x09, 0x8A};
  std::copy(row, row + 11, radio.adjust.Row(0));
  for (std::size_t i = 0; i < radio.tuning.size(); ++i) radio.tuning[i] = 100;
  radio.tuning[4] = 250;  // wide: 250 + 6 would pass 255
  radio.tuning[12] = 5;   // wide: 5 - 10 would pass 0
  CPortableChannelRecord r;
  r.m_flags = 0x0E;
  r.ComputeBandFields(150.0, radio.ctx);
  EXPECT_EQ(r.m_bandByte, 0x11);
  EXPECT_EQ(r.m_band, (std::array<std::uint8_t, 7>{0x82, 0x03, 5, 0x07, 0x08, 0x09, 0x85}));
  EXPECT_EQ(r.m_flags, 0x0E);  // the portable flags are left alone
  r.MakeNarrow();
  r.ComputeBandFields(150.0, radio.ctx);
  EXPECT_EQ(r.m_band, (std::array<std::uint8_t, 7>{0x82, 0x03, 0x06, 0x07, 0x08, 0x09, 0x8A}));
}

TEST(ChannelDefaults, BothFamiliesAndBands) {
  struct Row {
    bool portable;
    std::uint8_t model;
    std::uint8_t product;
    double split;
    FrequencyCount rx, tx;
    std::uint8_t stepBits;
    bool rxOnMHz, rxShift, txShift;
  };
  const Row rows[] = {
      // The mobile band fields keep only the two spur flags.
      {false, 0x61, 0x0B, 5.0, 45000000, 45500000, 0x05, false, false, false},
      {false, 0x01, 0x0B, 0.0, 13400000, 13400000, 0x05, false, false, true},
      {false, 0x01, 0x0C, 0.0, 14600000, 14600000, 0x05, false, false, true},
      {true, 0xB9, 0, 5.0, 45000000, 45500000, 0x50, true, false, false},
      {true, 0x3C, 0, 0.0, 14600000, 14600000, 0x50, true, false, true},
  };
  for (const Row& r : rows) {
    if (!r.portable) {
      MobileRadio radio(r.model == 0x61, r.product);
      radio.ctx.defaultSplitMHz = r.split;
      CMobileChannelRecord c;
      c.SetDefaults(radio.ctx);
      EXPECT_EQ(c.m_rxFrequency, r.rx);
      EXPECT_EQ(c.m_txFrequency, r.tx);
      EXPECT_EQ(c.m_mode, 0x40 | r.stepBits);
      EXPECT_TRUE(c.IsWide());
      EXPECT_EQ(c.m_rxSynthWord, 0x6FFF);
      EXPECT_EQ(c.m_txLow, 0xFD);
      EXPECT_EQ(c.RxOnMHzGrid(), r.rxOnMHz);
      EXPECT_EQ(c.RxShift(), r.rxShift);
      EXPECT_EQ(c.TxShift(), r.txShift) << r.rx;
      EXPECT_EQ(c.TuneLevel(), TuneLevelFor(radio.ctx.adjust, r.rx));
      EXPECT_FALSE(c.IsProgrammed());
      EXPECT_EQ(c.m_name, "        ");
    } else {
      PortableRadio radio(r.model == 0xB9);
      radio.ctx.defaultSplitMHz = r.split;
      CPortableChannelRecord c;
      c.SetDefaults(radio.ctx);
      EXPECT_EQ(c.m_rxFrequency, r.rx);
      EXPECT_EQ(c.m_txFrequency, r.tx);
      EXPECT_EQ(c.m_mode, r.stepBits);
      EXPECT_TRUE(c.IsWide());
      EXPECT_EQ(c.m_firstWord, 0x70FF);
      EXPECT_EQ(c.RxOnMHzGrid(), r.rxOnMHz);
      EXPECT_EQ(c.RxShift(), r.rxShift);
      EXPECT_EQ(c.TxShift(), r.txShift) << r.rx;
      EXPECT_FALSE(c.IsProgrammed());
    }
  }
}

TEST(ChannelNarrowing, WideChannelsInsideTheRange) {
  MobileRadio vhf(false);
  const struct {
    FrequencyCount rx, tx;
    bool wide, programmed, needs;
  } rows[] = {
      {15000000, 14000000, true, true, true},   // 150.00000 counts
      {14000000, 17400000, true, true, true},   // transmit alone is enough
      {14999999, 17400001, true, true, false},
      {15500000, 15500000, false, true, false}, // already narrow
      {15500000, 15500000, true, false, false}, // not programmed
  };
  for (const auto& r : rows) {
    CMobileChannelRecord c = MobileChannel(r.rx, r.tx, 0, 0);
    if (!r.wide) c.MakeNarrow();
    c.m_programmed = r.programmed ? 1 : 0;
    EXPECT_EQ(c.NeedsNarrowing(vhf.ctx), r.needs) << r.rx;
  }
  CMobileChannelRecord m = MobileChannel(51200000, 51200000, 0, 0);
  m.m_mode |= 0x80;  // bits 6-7 = 11 is not wide
  EXPECT_FALSE(m.IsWide());
  m.m_mode = 0x45;
  EXPECT_TRUE(m.NeedsNarrowing(MobileRadio(true).ctx));
  m.MakeNarrow();
  EXPECT_EQ(m.m_mode, 0x05);

  PortableRadio uhf(true);
  CPortableChannelRecord p = PortableChannel(51200000, 44999999, 0, 0);
  EXPECT_TRUE(p.NeedsNarrowing(uhf.ctx));
  p.MakeNarrow();
  EXPECT_EQ(p.m_flags & 1, 1);
  EXPECT_FALSE(p.NeedsNarrowing(uhf.ctx));
}

// A context that names no band record, header or tuning bytes packs with
// zero offsets instead of reading through null pointers.
TEST(ChannelSlots, BareContextPacksWithoutOffsets) {
  const ChannelCodecContext bare;
  CMobileChannelRecord m = MobileChannel(46000000, 46000000, 0, 0);
  std::uint8_t slot[25];
  m.StoreToSlot(slot, bare);
  CMobileChannelRecord back;
  back.LoadFromSlot(slot, bare);
  EXPECT_EQ(back.m_rxFrequency, 46000000u);
  EXPECT_EQ((slot[1] & 0x1F) * 16384 + slot[2] * 64 + slot[3] / 4, 46000000 / 500);  // no IF taken off
  CPortableChannelRecord p = PortableChannel(46000000, 46000000, 0, 0);
  std::uint8_t pslot[22];
  p.StoreToSlot(pslot, bare);
  CPortableChannelRecord pback;
  pback.LoadFromSlot(pslot, bare);
  EXPECT_EQ(pback.m_txFrequency, 46000000u);
}

// Slots no page makes (counts far outside the band, a receive count below
// the IF offset, a programmed slot without a receive frequency) come back
// from a save exactly as the first save wrote them.
TEST(ChannelSlots, OddSlotsSurviveASecondSave) {
  // Count 0x20000 on a VHF receive step code 3 gives a synthesizer value of
  // 0, which is also the mark of the band's default frequency: the count wins
  // when the value is just what the count gives.
  MobileRadio vhf(false);
  std::uint8_t mslot[25] = {};
  mslot[0] = 0x40 | 3 << 2;  // wide, receive step code 3
  mslot[1] = 0x28, mslot[2] = 0x00, mslot[3] = 0x01;
  CMobileChannelRecord m;
  m.LoadFromSlotSettled(mslot, vhf.ctx);
  EXPECT_NE(m.m_rxFrequency, 15000000u);
  std::uint8_t again[25];
  m.StoreToSlot(again, vhf.ctx);
  EXPECT_EQ(Pick(again, {1, 2, 3, 7, 8}), (Bytes{0x28, 0x00, 0x01, 0, 0}));
  // A count the zero value does not fit still means the default frequency.
  mslot[3] = 0x05;
  m.LoadFromSlotSettled(mslot, vhf.ctx);
  EXPECT_EQ(m.m_rxFrequency, 15000000u);

  // A programmed portable channel without a receive frequency: byte 0 = 0xFF
  // would read back as an empty slot, so it goes out as one.
  PortableRadio portable(true);
  CPortableChannelRecord p = PortableChannel(0, 46000000, 1, 1);
  std::uint8_t pslot[22];
  p.StoreToSlot(pslot, portable.ctx);
  EXPECT_EQ(Pick(pslot, {0, 1, 2, 6, 7, 8}), (Bytes{0xFF, 0x2E, 18, 80, 46, 71}));

  // Whatever a slot holds, the first save's slot is the second save's slot.
  const std::vector<Bytes> odd = {
      {0x00, 0x06, 0x17, 0x80, 0x22, 0xB8, 0x00, 0x06, 0x17, 0x00, 0x22, 0xB8, 0x00, 0x00, 0x0F, 0, 0, 0, 0, 0, 0, 0},
      {0x00, 0x06, 0x17, 0xB5, 0x22, 0xB8, 0x00, 0x50, 0x36, 0x00, 0x75, 0x30, 0x00, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0},
      {0x7F, 0xFF, 0xFF, 0x00, 0x01, 0x00, 0x7F, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0xF0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
  };
  for (bool uhf : {false, true}) {
    PortableRadio radio(uhf);
    for (const Bytes& slot : odd) {
      CPortableChannelRecord first;
      first.LoadFromSlotSettled(slot.data(), radio.ctx);
      std::uint8_t once[22], twice[22];
      first.StoreToSlot(once, radio.ctx);
      CPortableChannelRecord second;
      second.LoadFromSlotSettled(once, radio.ctx);
      second.StoreToSlot(twice, radio.ctx);
      EXPECT_EQ(Bytes(once, once + 22), Bytes(twice, twice + 22)) << "uhf " << uhf << " slot " << int(slot[1]);
    }
  }
}
// ------------------------------------------------------------- editing

// A receive frequency typed into a channel: where it lands, the step code,
// the transmit frequency at the split, and the mobile shift flags.
TEST(ChannelEditing, ReceiveCommits) {
  struct Case {
    const char* why;
    bool portable, uhf;
    double split, typed;
    FrequencyCount rx, tx;
    int rxCode;
    int rxShift;  // -1: not checked
  } cases[] = {
      {"off grid, nearer the 5 kHz point", false, true, 5.0, 450.003, 45000500, 45500500, 0, -1},
      {"on the 6.25 kHz grid", false, true, 5.0, 450.0125, 45001250, 45501250, 1, -1},
      {"VHF keeps a 2.5 kHz point", false, false, 0.0, 146.0025, 14600250, 14600250, 2, -1},
      {"UHF moves the same fraction up", false, true, 0.0, 450.0025, 45000500, 45000500, 0, -1},
      {"a tie takes the 5 kHz grid", false, true, 0.0, 450.02375, 45002500, 45002500, 0, -1},
      {"above the band: the upper limit, the split clamped too", false, true, 5.0, 600, 51200000, 51200000, 1, -1},
      {"empty text reads 0: the lower limit", false, true, 5.0, 0, 45000000, 45500000, 1, -1},
      {"an \"Enable\" segment sets the receive shift", false, true, 0.0, 453.5, 45350000, 45350000, 1, 1},
      {"a \"Disable\" segment clears it", false, true, 0.0, 460.0, 46000000, 46000000, 1, 0},
      {"143.73 lies in the first VHF segment", false, false, 0.0, 143.73, 14373000, 14373000, 0, 0},
      {"portable UHF: the upper limit", true, true, 5.0, 500, 49000000, 49000000, 1, -1},
  };
  for (const Case& c : cases) {
    const auto check = [&](auto& radio, auto& r) {
      radio.ctx.defaultSplitMHz = c.split;
      r.m_programmed = 0;
      r.MarkerWord() = 0xFF2E;
      r.CommitRxFrequency(c.typed, radio.ctx);
      EXPECT_TRUE(r.IsProgrammed()) << c.why;
      EXPECT_NE(r.MarkerWord() >> 8, 0xFF) << c.why;
      EXPECT_EQ(r.m_rxFrequency, c.rx) << c.why;
      EXPECT_EQ(r.m_txFrequency, c.tx) << c.why;
      EXPECT_EQ(r.RxStepCode(), c.rxCode) << c.why;
      if (c.rxShift >= 0) {
        EXPECT_EQ(r.RxShift(), c.rxShift == 1) << c.why;
      }
    };
    if (c.portable) {
      PortableRadio radio(c.uhf);
      CPortableChannelRecord r;
      check(radio, r);
    } else {
      MobileRadio radio(c.uhf);
      CMobileChannelRecord r;
      check(radio, r);
    }
  }
  // Without a segment the comb test stands: 453.5 is far from the 921.6 kHz
  // comb, yet its segment switches the shift on.
  EXPECT_FALSE(IsNearClockSpur921k(453.5));
}

TEST(ChannelEditing, TransmitCommitsOnlyOnAProgrammedChannel) {
  MobileRadio radio(true);
  CMobileChannelRecord r = MobileChannel(45000000, 45500000, 1, 1);
  r.m_programmed = 0;
  EXPECT_FALSE(r.CommitTxFrequency(460.0, radio.ctx));
  EXPECT_EQ(r.m_txFrequency, 45500000u);
  r.m_programmed = 1;
  EXPECT_TRUE(r.CommitTxFrequency(517, radio.ctx));
  EXPECT_EQ(r.m_txFrequency, 51200000u);
  EXPECT_EQ(r.m_rxFrequency, 45000000u);
  EXPECT_TRUE(r.CommitTxFrequency(453.5, radio.ctx));  // an "Enable" segment
  EXPECT_TRUE(r.TxShift());
  EXPECT_TRUE(r.CommitTxFrequency(460.003, radio.ctx));
  EXPECT_FALSE(r.TxShift());
  EXPECT_EQ(r.m_txFrequency, 46000500u);
  EXPECT_EQ(r.TxStepCode(), 0);
}

TEST(ChannelEditing, EnableAndDisableKeepTheFrequencies) {
  CMobileChannelRecord m = MobileChannel(45000000, 45500000, 1, 1);
  m.m_rxSynthWord = 0x2A10;
  EXPECT_FALSE(m.Enable());  // already programmed: nothing changes
  EXPECT_TRUE(m.IsWide());
  EXPECT_TRUE(m.SetProgrammed(false));
  EXPECT_EQ(m.m_rxSynthWord >> 8, 0xFF);
  EXPECT_FALSE(m.IsProgrammed());
  EXPECT_TRUE(m.Enable());
  EXPECT_FALSE(m.IsWide());  // taken back into use narrow
  EXPECT_EQ(m.m_rxSynthWord >> 12, 0x7);
  EXPECT_EQ(m.m_rxFrequency, 45000000u);

  CPortableChannelRecord p;
  p.m_firstWord = 0xFF2E;
  EXPECT_TRUE(p.Enable());
  EXPECT_EQ(p.m_firstWord >> 8, 0x70);
  EXPECT_TRUE(p.IsWide());  // the portable spacing stays
}

}  // namespace
