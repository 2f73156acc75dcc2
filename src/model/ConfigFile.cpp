#include "model/ConfigFile.h"

#include <cerrno>
#include <fstream>

#include "model/FreshStart.h"
#include "model/MessageBox.h"
#include "model/RadioImage.h"

namespace {

const ConfigVariant kMobileVariant{"RP58.CFG", "MB925.CFG", 0x38000, true, true, 255, true};
const ConfigVariant kPortableVariant{"RB36.CFG", "MB407.CFG", 0x1A500, false, false, 51, false};

// One row of the block layout by flash ROM start.
struct LayoutRow {
  std::uint32_t flashStart;
  std::uint16_t flashBlocks;
  std::uint16_t lastSettingsBlock;
  std::uint16_t dataStartBlock;
  std::uint16_t lastChannelBlock;
  std::uint16_t adjustLow, adjustHigh;
  std::uint16_t firstAdjustBlock;
  std::uint16_t validMarkerWord;
  std::uint16_t lastUserWord;
  bool stream;
};

constexpr LayoutRow kRow38000{0x38000, 254, 8, 9, 184, 3, 16, 254, 127, 119, false};
constexpr LayoutRow kRow1A500Mobile{0x1A500, 166, 8, 9, 166, 2, 3, 167, 127, 119, false};
// Also the row of any flash start the object does not accept.
constexpr LayoutRow kRow1A500{0x1A500, 166, 8, 9, 166, 2, 14, 167, 127, 119, false};
constexpr LayoutRow kRow1B400{0x1B400, 136, 7, 8, 135, 2, 12, 137, 127, 97, false};
constexpr LayoutRow kRow1DC00{0x1DC00, 56, 6, 6, 55, 2, 11, 56, 63, 60, true};

std::uint8_t SwapNibbles(std::uint8_t b) { return static_cast<std::uint8_t>((b << 4) | (b >> 4)); }

// Reads a little-endian field of n bytes; false when the file has fewer left.
bool ReadLE(std::istream& in, int n, std::uint32_t& value) {
  unsigned char buf[4];
  in.read(reinterpret_cast<char*>(buf), n);
  if (in.gcount() != n) {
    in.clear(in.rdstate() & ~std::ios::failbit);
    return false;
  }
  value = 0;
  for (int i = n - 1; i >= 0; --i) value = (value << 8) | buf[i];
  return true;
}

void WriteLE(std::ostream& out, int n, std::uint32_t value) {
  for (int i = 0; i < n; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

CConfigFile g_config;
CPortableConfigFile g_portableConfig;

namespace {
// Fresh configuration objects and ranges, as built: nothing read from a file.
void FreshConfig() {
  BuildAnew(g_config);
  BuildAnew(g_portableConfig);
}
const FreshStartReset kFreshStart(&FreshConfig);
}  // namespace

CConfigFileBase& CurrentConfig() {
  if (g_isPortable) return g_portableConfig;
  return g_config;
}

CConfigFileBase::CConfigFileBase(const ConfigVariant& variant)
    : m_variant(variant),
      m_userFileName(variant.userFileName),
      m_factoryFileName(variant.factoryFileName),
      m_flashRomStart(variant.defaultFlashRomStart) {
  // Until a read, the layout is the one a folder without files gives: a save
  // must never cap the last channel block at a layout of zeros.
  ApplyLayout(2);
}

CConfigFile::CConfigFile() : CConfigFileBase(kMobileVariant) {}
CPortableConfigFile::CPortableConfigFile() : CConfigFileBase(kPortableVariant) {}

void CConfigFileBase::SetUnstoredRanges() {
  for (int i = 10; i <= 15; ++i) m_ranges[i] = 255;
  for (int i = 10; i <= 13; ++i) m_ranges2[i] = 0;
  m_ranges2[14] = m_ranges2[15] = 255;
  if (m_variant.setsRangeTail) {
    m_ranges[16] = m_ranges[17] = 255;
    m_ranges2[16] = m_ranges2[17] = 188;
  }
}

bool CConfigFileBase::ReadUserFile() {
  bool portsBad = false;
  std::ifstream in(m_userFileName, std::ios::binary);
  const bool opened = in.is_open();
  // A field that can't be read whole takes its default; so does every field
  // after it, which gives a short file defaults for its missing tail.
  auto field = [&](int n, std::uint32_t def) {
    std::uint32_t v = def;
    if (!opened || !ReadLE(in, n, v)) return def;
    return v;
  };
  std::uint32_t v = 0;
  // Bounded as a choice would be: the port opened, its name in the messages
  // and the dialog's selection must agree.
  if (opened && ReadLE(in, 2, v)) SetComPortIndex(static_cast<std::int16_t>(v));
  else portsBad = true;
  if (opened && ReadLE(in, 2, v)) m_lptPortIndex = static_cast<std::int16_t>(v);
  else portsBad = true;
  m_otherWord1 = static_cast<std::uint16_t>(field(2, 0));

  m_otherBytes.fill(0);
  if (opened) {
    unsigned char buf[8];
    in.read(reinterpret_cast<char*>(buf), 8);
    if (in.gcount() == 8) {
      for (int i = 0; i < 8; ++i) m_otherBytes[i] = SwapNibbles(buf[i]);
    } else {
      in.clear(in.rdstate() & ~std::ios::failbit);
    }
  }
  m_otherWord2 = static_cast<std::uint16_t>(field(2, 8));
  for (int i = 0; i < kCfgStoredRanges; ++i)
    m_ranges[i] = static_cast<std::int32_t>(field(2, i == 4 ? m_variant.range4Default : 255));
  for (int i = 0; i < kCfgStoredRanges; ++i) m_ranges2[i] = static_cast<std::int32_t>(field(2, i < 7 ? 0 : 255));
  SetUnstoredRanges();

  if (!opened) {
    m_comPortIndex = 0;
    m_lptPortIndex = 0;
    return false;
  }
  return portsBad;
}

void CConfigFileBase::ReadConfig() {
  // A short port field in either file sets both port indexes to 0 at the end.
  bool portsBad = ReadUserFile();
  std::ifstream factory(m_factoryFileName, std::ios::binary);
  if (factory.is_open()) {
    m_hasFactoryFile = true;
    std::uint32_t v = 0;
    if (ReadLE(factory, 2, v)) SetComPortIndex(static_cast<std::int16_t>(v));
    else portsBad = true;
    if (ReadLE(factory, 2, v)) m_lptPortIndex = static_cast<std::int16_t>(v);
    else portsBad = true;
    if (ReadLE(factory, 2, v)) m_eepromEndWord = static_cast<std::uint16_t>(v);
    else portsBad = true;
    if (ReadLE(factory, 4, v)) m_flashRomStart = v;
    else portsBad = true;
  } else {
    m_hasFactoryFile = false;
    m_eepromEndWord = 127;
    m_flashRomStart = m_variant.defaultFlashRomStart;
  }

  int baseBlocks = 2;
  if (m_eepromEndWord == 63) {
    baseBlocks = 1;
  } else if (m_eepromEndWord != 127) {
    ShowMessageBox("Bad EEPROM end address\ndefault data are used", kMsgOk);
    m_eepromEndWord = 127;
  }
  m_lastEepromBlock = static_cast<std::uint16_t>(baseBlocks - 1);
  ApplyLayout(baseBlocks);

  if (portsBad) {
    m_comPortIndex = 0;
    m_lptPortIndex = 0;
  }
}

void CConfigFileBase::ApplyLayout(int baseBlocks) {
  const LayoutRow* row = nullptr;
  switch (m_flashRomStart) {
    case 0x38000:
      if (m_variant.acceptsFlash38000) row = &kRow38000;
      break;
    case 0x1A500:
      row = m_variant.shortAdjustFor1A500 ? &kRow1A500Mobile : &kRow1A500;
      break;
    case 0x1B400:
      row = &kRow1B400;
      break;
    case 0x1DC00:
      row = &kRow1DC00;
      break;
    default:
      break;
  }
  if (row == nullptr) {
    ShowMessageBox("Bad flash ROM start address\ndefault data are used", kMsgOk);
    m_flashRomStart = 0x1A500;
    row = &kRow1A500;
  }
  m_blockCount = static_cast<std::uint16_t>(baseBlocks + row->flashBlocks);
  m_lastSettingsBlock = row->lastSettingsBlock;
  m_dataStartBlock = row->dataStartBlock;
  m_lastChannelBlock = row->lastChannelBlock;
  m_adjustWordLow = row->adjustLow;
  m_adjustWordHigh = row->adjustHigh;
  m_firstAdjustBlock = row->firstAdjustBlock;
  m_validMarkerWord = row->validMarkerWord;
  m_lastUserWord = row->lastUserWord;
  m_streamProtocol = row->stream;
}

ConfigWriteResult CConfigFile::WriteConfig() {
  ConfigWriteResult result;
  // The first file that fails gives the reason; errno is read at once.
  const auto check = [&result](bool ok, const std::string& file) {
    if (ok || result.error != 0) return;
    result.failedFile = file;
    result.error = errno != 0 ? errno : EIO;
  };
  auto writeHead = [&](std::ostream& out) {
    WriteLE(out, 2, static_cast<std::uint16_t>(m_comPortIndex));
    WriteLE(out, 2, static_cast<std::uint16_t>(m_lptPortIndex));
    WriteLE(out, 2, m_otherWord1);
    for (std::uint8_t b : m_otherBytes) out.put(static_cast<char>(SwapNibbles(b)));
    WriteLE(out, 2, m_otherWord2);
    for (int i = 0; i < kCfgStoredRanges; ++i) WriteLE(out, 2, static_cast<std::uint32_t>(m_ranges[i]) & 0xFFFF);
  };

  // Opened for update so an existing file is neither created nor truncated.
  errno = 0;
  std::fstream user(m_userFileName, std::ios::binary | std::ios::in | std::ios::out);
  if (user.is_open()) {
    writeHead(user);
    for (int i = 0; i < kCfgStoredRanges; ++i) WriteLE(user, 2, static_cast<std::uint32_t>(m_ranges2[i]) & 0xFFFF);
    user.flush();
    check(user.good(), m_userFileName);
  } else {
    // A new file gets only the fields up to the first table; reading it back
    // yields these second-table values, so the memory matches the disk.
    errno = 0;
    std::ofstream created(m_userFileName, std::ios::binary);
    if (created.is_open()) {
      writeHead(created);
      created.flush();
    }
    check(created.is_open() && created.good(), m_userFileName);
    for (int i = 0; i <= 6; ++i) m_ranges2[i] = 0;
    for (int i = 7; i <= 9; ++i) m_ranges2[i] = 255;
    m_ranges2[10] = 0;
  }

  errno = 0;
  std::fstream factory(m_factoryFileName, std::ios::binary | std::ios::in | std::ios::out);
  if (factory.is_open()) {
    WriteLE(factory, 2, static_cast<std::uint16_t>(m_comPortIndex));
    WriteLE(factory, 2, static_cast<std::uint16_t>(m_lptPortIndex));
    WriteLE(factory, 2, m_eepromEndWord);
    WriteLE(factory, 4, m_flashRomStart);
    factory.flush();
    check(factory.good(), m_factoryFileName);
  }
  return result;
}
