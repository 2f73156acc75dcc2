// The memory editor's hex entry: any sequence of keys typed at any caret
// place of any block, block changes and FILE SAVEs, on a data file of either
// family. The dump always shows what the image holds; every nibble accepted
// since the last save is what the next completed save writes (a nibble the
// save would undo is refused); and the records after the edits are those of
// the edited image unpacked at a fresh start, so nothing of what was shown
// before the edits stays on a page.
// Input: byte 0: the data file of tests/data (its number modulo the count)
// and the configured layout (byte 0 / 8); then three bytes a step: what
// (low 3 bits: 0-4 a key, 5 another block, 6 FILE SAVE, 7 the block of the
// radio-wide bytes) with the key in the high bits, and a caret place or block.
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "FuzzSupport.h"
#include "LinkInput.h"
#include "RecordDifferences.h"
#include "model/ConfigFile.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/RomDump.h"
#include "model/ScreenData.h"

namespace {

constexpr const char kKeys[] = "0123456789ABCDEFabcdef G!x-";

// The records against those of the same image unpacked at a fresh start;
// the records are put back as they were, so the editor goes on with them.
template <class Records>
std::string DifferencesFromFresh(Records& records, const Records& edited) {
  // What no image holds: the Default column the pages keep across files.
  records.data.m_defaultGroup = edited.data.m_defaultGroup;
  return RecordDifferences(edited, records);
}

void CheckRecords() {
  const auto mobile = std::make_unique<MobileRecords>(g_mobileModel.records);
  const auto portable = std::make_unique<PortableRecords>(g_portableModel.records);
  ResetRecords();
  UnpackImageToScreens(g_pRadioImage);
  UnpackAdjustmentData(g_pRadioImage, g_adjustCopy.data(), 1);
  const std::string differ = g_isPortable ? DifferencesFromFresh(g_portableModel.records, *portable)
                                          : DifferencesFromFresh(g_mobileModel.records, *mobile);
  // The editor goes on with its own records.
  g_mobileModel.records = *mobile;
  g_portableModel.records = *portable;
  FUZZ_CHECK(differ.empty(), "after the hex edits the records are not the image unpacked: " + differ);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  ResetModel();
  CautiousUser(true);
  const std::string& file = LibraryFiles()[data[0] % LibraryFiles().size()];
  if (g_dataFile.LoadDataFile(file, ProgramDir()) != 1) InvariantBroken("tests/data file refused: " + file);
  // The editor's layout is the mobile configuration's, for either family.
  const CloneFamilyLayout& m = ConfiguredLayout(data[0] / 8 % LayoutCount()).mobile;
  const DumpLayout layout{m.lastEepromBlock, m.blockCount, m.flashRomStart, m.adjustWordHigh, m.lastUserWord,
                          g_isPortable == 0};
  const int blocks = std::max(1, layout.blockCount);
  int block = 0;
  std::string text = DumpText(layout, block, g_pRadioImage, g_adjustCopy.data());
  // Nibbles typed since the last completed save: (image byte, high nibble) -> value.
  std::map<std::pair<std::size_t, bool>, std::uint8_t> typed;
  const std::string saved = ScratchFile("rom-edit.dat");
  // The records are the image's only while the last thing done was a key
  // (the editor unpacks after each); a save packs the records instead.
  bool editedSinceUnpack = false;

  for (std::size_t at = 1; at + 3 <= size; at += 3) {
    const std::uint8_t what = data[at];
    const int place = data[at + 1] << 8 | data[at + 2];
    switch (what & 0x07) {
      case 5:
        block = place % blocks;
        text = DumpText(layout, block, g_pRadioImage, g_adjustCopy.data());
        break;
      case 7:
        block = data[at + 1] & 1;
        text = DumpText(layout, block, g_pRadioImage, g_adjustCopy.data());
        break;
      case 6: {
        if (editedSinceUnpack) CheckRecords();
        editedSinceUnpack = false;
        RemoveFile(saved);
        const bool completed = SaveLeavingNothing(saved);
        // The save packs the records into the image: the editor shows it again.
        text = DumpText(layout, block, g_pRadioImage, g_adjustCopy.data());
        if (!completed) break;
        const Bytes bytes = ReadWholeFile(saved);
        for (const auto& [where, value] : typed) {
          const std::uint8_t nibble = where.second ? bytes[where.first] >> 4 : bytes[where.first] & 0x0F;
          char line[120];
          std::snprintf(line, sizeof line, "the %s nibble of image byte 0x%04zX was typed as %X, the save wrote %X",
                        where.second ? "high" : "low", where.first, value, nibble);
          FUZZ_CHECK(nibble == value, line);
        }
        typed.clear();
        break;
      }
      default: {
        const char key = kKeys[(what >> 3) % (sizeof kKeys - 1)];
        const int caret = place % (kDumpLines * kDumpLineLength);
        const HexKeyResult r = HexKeyToSave(layout, block, caret, key, g_pRadioImage, g_adjustCopy.data());
        FUZZ_CHECK(r.applied != r.beep || !r.applied, "a key both applied and refused");
        if (!r.applied) break;
        ApplyHexKey(r, caret, text, g_pRadioImage, g_adjustCopy.data());
        g_config.SetRawImageEdited(true);
        g_dataModified = 1;
        UnpackImageToScreens(g_pRadioImage);
        UnpackAdjustmentData(g_pRadioImage, g_adjustCopy.data(), 1);
        editedSinceUnpack = true;
        typed[{r.byte.imageIndex, r.highNibble}] = r.value;
        FUZZ_CHECK(text == DumpText(layout, block, g_pRadioImage, g_adjustCopy.data()),
                   "the dump does not show what the image holds after a key");
        break;
      }
    }
  }
  if (editedSinceUnpack) CheckRecords();
  return 0;
}
