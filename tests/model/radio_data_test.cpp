#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeChoiceList.h"
#include "model/RadioData.h"

namespace {

using Image = std::vector<std::uint8_t>;


template <class Data>
struct FamilyOf {
  using Header = decltype(Data::m_adjust);
  static std::unique_ptr<Data> Make(std::uint8_t code) {
    auto data = std::make_unique<Data>();
    data->m_radioWide.familyCode = [code] { return code; };
    return data;
  }
};

template <class Data>
void ExpectAdjustmentDefaults(std::uint8_t code, int word, int firstEntry, int ninthEntry) {
  auto data = FamilyOf<Data>::Make(code);
  data->SetDefaults();
  EXPECT_EQ(data->m_adjust.headerWord, word) << int(code);
  EXPECT_EQ(data->m_adjust.entryWords[0], firstEntry) << int(code);
  EXPECT_EQ(data->m_adjust.entryWords[8], ninthEntry) << int(code);
  for (std::size_t k = 9; k < FamilyOf<Data>::Header::kEntries; ++k) EXPECT_EQ(data->m_adjust.entryWords[k], 0) << k;
}

template <class Data>
void ExpectHeaderRoundTrip(std::size_t headerSize) {
  using Header = typename FamilyOf<Data>::Header;
  std::array<std::uint8_t, kAdjustCopySize> copy;
  for (std::size_t i = 0; i < copy.size(); ++i) copy[i] = static_cast<std::uint8_t>(i * 7 + 3);
  Image image(kImageBufferSize, 0xFF);
  auto data = std::make_unique<Data>();
  const std::size_t tuning = data->Traits().tuningOffset;
  const int tuningCount = data->Traits().tuningCount;
  for (int i = 0; i < tuningCount; ++i) image[tuning + i] = static_cast<std::uint8_t>(0x40 + i);

  data->LoadAdjustmentData(image.data(), copy.data(), 1);
  EXPECT_EQ(data->m_adjust.headerWord, GetBE16(copy.data()));
  EXPECT_EQ(data->m_adjust.entryWords[1], GetBE16(copy.data() + 5 + 2 + Header::kRowSize));
  EXPECT_EQ(data->m_tuning[0], 0x40);
  EXPECT_EQ(data->m_tuning[tuningCount - 1], 0x40 + tuningCount - 1);
  std::array<std::uint8_t, kAdjustCopySize> out;
  out.fill(0xEE);
  data->StoreAdjustmentData(out.data());
  for (std::size_t i = 0; i < out.size(); ++i) EXPECT_EQ(out[i], i < headerSize ? copy[i] : 0xEE) << i;

  // Flag 0 copies the tuning bytes and leaves the header alone.
  auto tuningOnly = std::make_unique<Data>();
  const int before = tuningOnly->m_adjust.headerWord;
  tuningOnly->LoadAdjustmentData(image.data(), copy.data(), 0);
  EXPECT_EQ(tuningOnly->m_adjust.headerWord, before);
  EXPECT_EQ(tuningOnly->m_tuning[0], 0x40);
}

}  // namespace

TEST(RadioData, AdjustmentDefaultsFollowTheFamilyCode) {
  // The portable UHF radio's band flag is 0x80, not 0x60: it still gets the UHF rows.
  ExpectAdjustmentDefaults<CMobileRadioData>(0x61, 4700, 4500, 4900);
  ExpectAdjustmentDefaults<CMobileRadioData>(0x01, 1620, 1500, 1740);
  ExpectAdjustmentDefaults<CPortableRadioData>(0xB9, 4701, 4500, 4970);
  ExpectAdjustmentDefaults<CPortableRadioData>(0x3C, 1610, 1480, 1770);
  auto mobile = std::make_unique<CMobileRadioData>();
  mobile->SetDefaults();
  EXPECT_EQ(mobile->m_adjust.Row(0)[2], 139);
  EXPECT_EQ(mobile->m_adjust.Row(7)[7], 133);
  EXPECT_EQ(mobile->m_adjust.Row(8)[2], 0);
}

TEST(RadioData, AdjustmentHeaderRoundTripsThroughTheCopy) {
  ExpectHeaderRoundTrip<CMobileRadioData>(263);
  ExpectHeaderRoundTrip<CPortableRadioData>(111);
}

TEST(RadioData, DefaultsNameAndProgramTheChannels) {
  auto mobile = std::make_unique<CMobileRadioData>();
  auto portable = std::make_unique<CPortableRadioData>();
  mobile->SetDefaults();
  portable->SetDefaults();
  EXPECT_EQ(mobile->m_channels[0].m_name, " CH-001 ");
  EXPECT_EQ(portable->m_channels[639].m_name, " CH-640 ");
  EXPECT_TRUE(mobile->m_channels[0].IsProgrammed());
  EXPECT_FALSE(mobile->m_channels[1].IsProgrammed());
  EXPECT_TRUE(portable->m_channels[0].IsProgrammed());
  EXPECT_FALSE(portable->m_channels[639].IsProgrammed());
  EXPECT_EQ(mobile->m_groupCounts[0], 1);
  EXPECT_EQ(mobile->m_groups[0].channelWord, 0);  // group 0 on channel 0
}

TEST(RadioData, LoadFromImageSetsBandFrequenciesAndTheProductWord) {
  Image image(kImageBufferSize, 0xFF);
  image[area::kIdentWord] = 0x12;
  image[area::kProductCode] = 0x27;
  image[area::kFamilyCode] = 0x61;
  auto uhf = FamilyOf<CMobileRadioData>::Make(0x61);
  uhf->LoadFromImage(image.data());
  EXPECT_EQ(uhf->m_productWord, 0x2712u);
  EXPECT_EQ(uhf->ChannelContext().productCode, 0x27);
  EXPECT_EQ(uhf->m_channels[639].m_rxFrequency, 45000000u);
  image[area::kFamilyCode] = 0x3C;
  auto vhf = FamilyOf<CPortableRadioData>::Make(0xB9);  // the image decides, not a stale record
  vhf->LoadFromImage(image.data());
  EXPECT_EQ(vhf->m_channels[0].m_txFrequency, 15000000u);
}

TEST(RadioData, ChannelPickList) {
  auto data = std::make_unique<CMobileRadioData>();
  for (auto& channel : data->m_channels) channel.m_programmed = 0;
  auto& a = data->m_channels[0];
  a.m_programmed = 1;
  a.m_mode = 0x40;  // wide
  a.m_txFrequency = 45100000;
  a.m_rxFrequency = 45050000;
  auto& b = data->m_channels[12];
  b.m_programmed = 1;
  b.m_mode = 0x00;  // narrow
  b.m_txFrequency = 15512500;
  b.m_rxFrequency = 15000625;
  data->SetChannelRxFrequency(640, 1);  // no such channel: nothing happens

  FakeChoiceList list;
  list.texts = {"stale"};
  list.values = {1};
  data->FillChannelList(list, 12);
  EXPECT_EQ(list.texts, (std::vector<std::string>{"None TX       RX", "  1   451.00000 450.50000 Wide",
                                                   " 13   155.12500 150.00625 Narrow"}));
  EXPECT_EQ(list.values, (std::vector<std::uint32_t>{0x3FF, 0, 12}));
  EXPECT_EQ(list.selected, 2);
  const std::pair<int, int> selections[] = {{0, 1}, {0x3FF, 0}, {700, 0}, {5, -1}};
  for (auto [current, row] : selections) {
    data->FillChannelList(list, current);
    EXPECT_EQ(list.selected, row) << current;
  }

  auto portable = std::make_unique<CPortableRadioData>();
  portable->m_channels[3].m_programmed = 1;
  portable->m_channels[3].m_flags = 0x01;  // the portable narrow bit
  portable->SetChannelTxFrequency(3, 46000000);
  portable->SetChannelRxFrequency(3, 46500000);
  portable->FillChannelList(list, 3);
  EXPECT_EQ(list.texts.back(), "  4   460.00000 465.00000 Narrow");
}
