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

}  // namespace

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
  loaded.LoadFromSlot(mslot, vhf.ctx);
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
