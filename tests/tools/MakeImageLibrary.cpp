// rp58-mkimages: rebuilds the hand-made data files of tests/data, the library
// the image tests load and save. Each radio starts as a fresh radio of its
// model, has its records edited and packed by the model's own code, then gets
// bytes a user's radio may hold but the program itself would never write
// (bits the pack normalises, stale block counters), and is saved as the image
// stands. The try-* files are the radios the README's walk-through serves:
// only what the program itself writes, so a read gives back what they hold.
//   rp58-mkimages <output folder>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "model/ConfigFile.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/GlobalRecord.h"
#include "model/GlobalRecordText.h"
#include "model/MessageBox.h"
#include "model/ModelChange.h"
#include "model/RadioData.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"

namespace {

// A message box here means a record refused the radio: the file is not built.
class FailOnMessage : public IMessageSink {
public:
  int Show(const std::string& text, const std::string&, unsigned) override {
    std::fprintf(stderr, "unexpected message: %s\n", text.c_str());
    failed = true;
    return kIdOk;
  }
  bool failed = false;
};

CRadioDataCore& DataOf(Family family) {
  return family == kPortable ? static_cast<CRadioDataCore&>(g_portableData) : g_mobileData;
}

Family CurrentFamily() { return g_isPortable ? kPortable : kMobile; }

// A fresh radio of the model, records and image alike.
void StartRadio(std::uint8_t model) {
  ResetToDefaultModel(model);
  ClearRadioImage(g_pRadioImage);
  g_adjustCopy.fill(0xFF);
  BuildDefaultImage(g_pRadioImage);
}

// Programs channel i at rx/tx (10 Hz counts); the pack narrows it if the band wants.
void ProgramChannel(int i, FrequencyCount rx, FrequencyCount tx) {
  if (g_isPortable) {
    g_portableData.m_channels[i].m_programmed = 1;
    g_portableData.SetChannelRxFrequency(i, rx);
    g_portableData.SetChannelTxFrequency(i, tx);
  } else {
    g_mobileData.m_channels[i].m_programmed = 1;
    g_mobileData.SetChannelRxFrequency(i, rx);
    g_mobileData.SetChannelTxFrequency(i, tx);
  }
}

// Zones 0..counts.size()-1 enabled with these group counts, every group of
// theirs enabled on a channel; the zones in ltrZones are LTR with their home
// repeater on a programmed channel.
void AssignZones(const std::vector<int>& counts, const std::vector<int>& ltrZones, const std::vector<int>& channels) {
  CRadioDataCore& data = DataOf(CurrentFamily());
  data.m_groupCounts.fill(0);
  for (std::size_t z = 0; z < counts.size(); ++z) {
    data.m_groupCounts[z] = static_cast<std::uint8_t>(counts[z]);
    data.m_zoneFlags[z] |= zone_flag::kEnabled;
  }
  for (int z : ltrZones) {
    data.InitSystem(z, 1);
    data.m_repeaters[z][0] = static_cast<std::uint16_t>(channels[static_cast<std::size_t>(z) % channels.size()]);
    data.m_repeaters[z][1] = static_cast<std::uint16_t>(channels[(static_cast<std::size_t>(z) + 1) % channels.size()]);
  }
  for (std::size_t z = 0; z < counts.size(); ++z) {
    data.ResetSystemGroups(static_cast<int>(z));
    data.m_selectedGroup[z] = static_cast<std::uint8_t>(data.FirstGroupOf(static_cast<int>(z)) + counts[z]);
  }
  int g = 0;
  for (int count : counts) {
    for (int n = 0; n < count; ++n, ++g) {
      CGroupRecord& group = data.m_groups[static_cast<std::size_t>(g)];
      group.flags |= group_flag::kEnabled;
      group.channelWord = static_cast<std::uint16_t>((group.channelWord & ~group_word::kChannelMask) |
                                                     channels[static_cast<std::size_t>(g) % channels.size()]);
      char tag[32];
      std::snprintf(tag, sizeof tag, "TG%02d-%03d", static_cast<int>(counts.size()), g + 1);
      group.SetTag(tag);
    }
  }
  data.m_freeGroups = kGroupCount - g;
}

// Packs the edited records into the image; false (with the message shown)
// when a record refused.
bool Pack() {
  NarrowWideChannelsFrom(0);
  return PackScreensToImage(g_pRadioImage) != 0;
}

// Image byte and value, for the radio-wide bytes written by hand.
struct Poke {
  std::size_t at;
  std::uint8_t value;
};

// Every byte the radio-wide record keeps (both families), the hardware byte,
// the radio password, the group/zone pairs and the emergency code, none at
// its fresh-radio value, several with bits the pack normalises. The pairs
// name groups inside their zones: zones 0-3 hold 4, 3, 2 and 1 groups.
const Poke kRadioWideBoth[] = {
    {30, 0x47},  // b6 set, b5 clear: the pack clears b6 and sets b5
    {31, 0xE4},  // portable: b2 set with bits 3-6 other than 3, which the unpack puts right
    {33, 0x5A},  // the hardware byte, passed through
    {34, 'P'}, {35, 'A'}, {36, 'S'}, {37, 'S'}, {38, '5'}, {39, '8'}, {40, '5'}, {41, '8'},  // radio password
    {42, 0x3D},  // b4 and b5 set: the pack and the unpack clear them
    {43, 0x36},
    {140, 1}, {141, 1},  // home: zone 1, its second group
    {182, 0x2D},         // b5 Home Grp Scan: the home pair must be programmed
    {183, 0x45},
    {184, 0x0B},
    {185, 0x2A},
    {186, 0x13},  // b4 set: the pack clears it
    {187, 0x06},
    {200, 0x24},
    {202, 0x51},  // b1 clear: the pack sets it
    {204, 0x05},
    {205, 0x01},  // b4, b5 clear: the pack sets them
    {206, 0x52},
    {207, 0x02},
    {208, 0x2A},  // power on at System 1/Group 1, lock 2, revert group 1
    {209, 0x0A},
    {210, 2}, {211, 1},  // data: zone 1, its third group
    {212, 0x88},
    {213, 0x36},  // b1, b2 set and b0, b3 clear: the pack forces all four
    {214, 0}, {215, 0},
    {216, 2}, {217, 1},
    {218, 1}, {219, 2},
    {220, 0}, {221, 3},
    {222, 0x3C},
    {223, 0x2C},
    {224, 0x11}, {225, 0x22},
    {227, 0x33}, {228, 0x44}, {229, 0x55}, {230, 0x21}, {231, 0x77}, {232, 0x1E},
    {233, 0x15},
    {234, 3}, {235, 0},  // emergency: zone 0, its fourth group
    {252, 0x60},         // block counters out of step with the data
    {253, 0x07},
    {646, 0x01}, {647, 0x02}, {648, 0x03}, {649, 0x0A}, {650, 0x0F}, {651, 0xFF}, {652, 0xFF}, {653, 0xFF},
};

const Poke kRadioWideMobile[] = {
    {226, 0x03},
    {236, 0x36},
    {244, 0x7E},
    {246, 0x31},
    {247, 0x9A},  // option board 2: no encryption board
    {249, 0x2E},
    {251, 0xE8},
    {704, 0x81},
    {705, 0x25},  // b6 clear: the pack sets it
    {719, 1}, {720, 2}, {721, 3}, {722, 4}, {723, 5},
    {725, 6}, {726, 7}, {727, 8}, {728, 9}, {730, 10},
    {731, 2},  // D-sub zone 2 and its two groups, then none
    {732, 0}, {733, 1},
    {748, 0x1B},
    {755, 0x05},
    {756, 0x1E},
    {757, 0x91},
    {758, 0x44},
};

const Poke kRadioWidePortable[] = {
    {226, 0x02},  // the portable radio keeps no AF minimum: the pack writes 0
    {249, 0x3D},
};

void PokeAll(const Poke* from, const Poke* to) {
  for (const Poke* p = from; p != to; ++p) g_pRadioImage[p->at] = p->value;
}

// The pokes must all differ from the fresh radio's bytes, or the file would
// not show what it claims to.
bool DiffersFromFreshRadio(const std::vector<std::uint8_t>& fresh, const Poke* from, const Poke* to) {
  bool ok = true;
  for (const Poke* p = from; p != to; ++p) {
    if (fresh[p->at] == p->value) {
      std::fprintf(stderr, "byte %zu keeps its fresh value %02X\n", p->at, p->value);
      ok = false;
    }
  }
  return ok;
}

// Four zones of 4, 3, 2 and 1 groups, zone 1 LTR, a few channels; a mobile
// radio's carried blocks hold a pattern.
bool BuildRadioWide(std::uint8_t model, FrequencyCount base) {
  StartRadio(model);
  const std::vector<std::uint8_t> fresh(g_pRadioImage, g_pRadioImage + kImageSize);
  for (int i = 0; i < 6; ++i) ProgramChannel(i, base + 12500 * static_cast<FrequencyCount>(i), base + 500000);
  AssignZones({4, 3, 2, 1}, {1}, {0, 1, 2, 3, 4, 5});
  if (!Pack()) return false;
  PokeAll(std::begin(kRadioWideBoth), std::end(kRadioWideBoth));
  bool ok = DiffersFromFreshRadio(fresh, std::begin(kRadioWideBoth), std::end(kRadioWideBoth));
  if (g_isPortable) {
    PokeAll(std::begin(kRadioWidePortable), std::end(kRadioWidePortable));
    ok = DiffersFromFreshRadio(fresh, std::begin(kRadioWidePortable), std::end(kRadioWidePortable)) && ok;
  } else {
    PokeAll(std::begin(kRadioWideMobile), std::end(kRadioWideMobile));
    ok = DiffersFromFreshRadio(fresh, std::begin(kRadioWideMobile), std::end(kRadioWideMobile)) && ok;
    // Blocks the program carries for the radio without reading them.
    for (std::size_t i = area::kMobileCarried; i < area::kMobileAdjust; ++i)
      g_pRadioImage[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  }
  return ok;
}

// Every group slot and every zone in use, the last channel programmed, the
// home pair on the last group of the last zone.
bool BuildEdges(std::uint8_t model, FrequencyCount base) {
  StartRadio(model);
  std::vector<int> channels;
  for (int i : {0, 1, 2, 319, 320, 638, 639}) {
    const FrequencyCount f = base + 1250 * static_cast<FrequencyCount>(i % 40);  // 12.5 kHz apart
    ProgramChannel(i, f, f);
    channels.push_back(i);
  }
  std::vector<int> counts(kZoneCount, 8);
  for (int z = 26; z < kZoneCount; ++z) counts[static_cast<std::size_t>(z)] = 7;  // 26 x 8 + 6 x 7 = 250
  AssignZones(counts, {0, 15, 31}, channels);
  CGlobalRecord& global = CurrentModel().global;
  global.homeZone = kZoneCount - 1;
  global.homeGroup = kGroupCount - 1;
  return Pack();
}

// Pairs whose group byte names no group of their zone, as a radio may hold
// them: the pages show them as not set, and a load and save must keep them.
// Zones 0-4 hold 1, 71, 2, 80 and 3 groups.
const Poke kPairsBeyondZones[] = {
    {140, 1}, {141, 0},      // home: one past zone 0's only group, which is zone 1's first
    {210, 0xF0}, {211, 3},   // data: beyond group 249 counted over all zones
    {214, 7},                // short cut 1: a group without a zone (215 stays FF)
    {216, 0}, {217, 40},     // short cut 2: a zone the radio does not have
    {218, 79}, {219, 3},     // short cut 3: zone 3's last group, a pair as the pages set it
    {220, 71}, {221, 1},     // short cut 4: one past zone 1's groups
    {234, 0x87}, {235, 0},   // emergency: deep into zone 3's groups counted from zone 0
    {731, 1},                // D-sub zone 1: inside, one past, far beyond
    {732, 0}, {733, 70}, {734, 71}, {745, 100},
};

bool BuildPairsBeyondZones(std::uint8_t model, FrequencyCount base) {
  StartRadio(model);
  const std::vector<std::uint8_t> fresh(g_pRadioImage, g_pRadioImage + kImageSize);
  for (int i = 0; i < 4; ++i) ProgramChannel(i, base + 12500 * static_cast<FrequencyCount>(i), base);
  AssignZones({1, 71, 2, 80, 3}, {}, {0, 1, 2, 3});
  if (!Pack()) return false;
  PokeAll(std::begin(kPairsBeyondZones), std::end(kPairsBeyondZones));
  return DiffersFromFreshRadio(fresh, std::begin(kPairsBeyondZones), std::end(kPairsBeyondZones));
}

// A radio as a user leaves it after a session: six channels, four zones of
// 4, 3, 2 and 1 groups (zone 2 LTR), the radio password the README names,
// packed as the program packs it, so its block counters match its data.
bool BuildTryRadio(std::uint8_t model, FrequencyCount base) {
  StartRadio(model);
  for (int i = 0; i < 6; ++i) ProgramChannel(i, base + 12500 * static_cast<FrequencyCount>(i), base + 500000);
  AssignZones({4, 3, 2, 1}, {1}, {0, 1, 2, 3, 4, 5});
  StorePassword(CurrentModel().global, "PASS5858");
  return Pack();
}

bool Save(const std::string& path) {
  // A data file carries the portable radio's adjustment block where the
  // radio keeps it; saved as the image stands, the image must hold it.
  if (g_isPortable) std::memcpy(g_pRadioImage + area::kPortableAdjust, g_adjustCopy.data(), kBlockSize);
  g_saveWithoutPack = 1;
  const bool ok = g_dataFile.SaveDataFile(path);
  g_saveWithoutPack = 0;
  if (!ok) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::string out = argv[1];
  FailOnMessage messages;
  SetMessageSink(&messages);
  // No radio shop's configuration files: their layouts must not reach the files.
  g_config.ReadConfig();
  g_portableConfig.ReadConfig();
  if (!AllocateRadioImage()) return 1;
  const struct {
    const char* file;
    bool (*build)(std::uint8_t, FrequencyCount);
    std::uint8_t model;
    FrequencyCount base;
  } files[] = {
      {"mobile-uhf-radio-wide.K58", &BuildRadioWide, kFamilyMobileUhf, 46001250},
      {"portable-vhf-radio-wide.P58", &BuildRadioWide, kFamilyPortableVhf, 15101250},
      {"mobile-vhf-edges.K58", &BuildEdges, kFamilyMobileVhf, 15201250},
      {"portable-uhf-edges.P58", &BuildEdges, kFamilyPortableUhf, 46201250},
      {"mobile-uhf-pairs-beyond-zones.K58", &BuildPairsBeyondZones, kFamilyMobileUhf, 46301250},
      {"try-mobile-uhf.K58", &BuildTryRadio, kFamilyMobileUhf, 46401250},
      {"try-portable-vhf.P58", &BuildTryRadio, kFamilyPortableVhf, 15401250},
  };
  bool ok = true;
  for (const auto& f : files) {
    if (!f.build(f.model, f.base) || messages.failed) {
      std::fprintf(stderr, "%s: not built\n", f.file);
      ok = false;
      continue;
    }
    ok = Save(out + "/" + f.file) && ok;
  }
  SetMessageSink(nullptr);
  return ok ? 0 : 1;
}
