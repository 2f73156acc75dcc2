#pragma once
// The user and factory configuration files: which serial port to use, and how
// the radio's memory is laid out in blocks (fixed by the factory file's EEPROM
// size and flash ROM start). Read once at start-up; only the mobile pair is
// ever written.
#include <array>
#include <cstdint>
#include <string>

inline constexpr int kCfgRangeCount = 18;
inline constexpr int kCfgStoredRanges = 10;
// Upper limits of an alignment meter per alignment item; entries 0-9 live in
// the user file, the rest are set by every read.
using CfgRanges = std::array<std::int32_t, kCfgRangeCount>;

// What sets the two families' configuration objects apart.
struct ConfigVariant {
  const char* userFileName;
  const char* factoryFileName;
  std::uint32_t defaultFlashRomStart;
  bool acceptsFlash38000;     // the portable object refuses the 0x38000 layout
  bool shortAdjustFor1A500;   // the mobile 0x1A500 row keeps adjustment words 2-3 only
  std::int32_t range4Default; // default of the slider limit 4
  bool setsRangeTail;         // sets entries 16 and 17 of both tables
};

class CConfigFileBase {
public:
  virtual ~CConfigFileBase() = default;

  void ReadConfig();

  std::int16_t GetComPortIndex() const { return m_comPortIndex; }
  // COM1..COM16 are indexes 0..15; anything else stores 0 (COM1).
  void SetComPortIndex(std::int16_t n) { m_comPortIndex = (n < 0 || n > 15) ? 0 : n; }
  std::int16_t GetLptPortIndex() const { return m_lptPortIndex; }
  void SetLptPortIndex(std::int16_t n) { m_lptPortIndex = (n < 0 || n > 1) ? 0 : n; }

  std::uint32_t GetFlashRomStart() const { return m_flashRomStart; }
  std::uint16_t GetEepromEndWord() const { return m_eepromEndWord; }
  std::uint16_t GetBlockCount() const { return m_blockCount; }
  std::uint16_t GetLastEepromBlock() const { return m_lastEepromBlock; }
  std::uint16_t GetLastSettingsBlock() const { return m_lastSettingsBlock; }
  std::uint16_t GetDataStartBlock() const { return m_dataStartBlock; }
  std::uint16_t GetLastChannelBlock() const { return m_lastChannelBlock; }
  std::uint16_t GetAdjustWordLow() const { return m_adjustWordLow; }
  std::uint16_t GetAdjustWordHigh() const { return m_adjustWordHigh; }
  std::uint16_t GetFirstAdjustBlock() const { return m_firstAdjustBlock; }
  std::uint16_t GetValidMarkerWord() const { return m_validMarkerWord; }
  std::uint16_t GetLastUserWord() const { return m_lastUserWord; }
  bool UsesStreamProtocol() const { return m_streamProtocol; }
  bool HasFactoryFile() const { return m_hasFactoryFile; }
  bool IsRawImageEdited() const { return m_rawImageEdited; }
  void SetRawImageEdited(bool on) { m_rawImageEdited = on; }
  bool IsRomEditorMode() const { return m_romEditorMode; }
  void SetRomEditorMode(bool on) { m_romEditorMode = on; }

  // The family's own meter limits, as its user file gave them: the slider's
  // (first meter) and the second meter's. Each family's alignment window
  // reads its own, so one file's values never end up in the other's window.
  const CfgRanges& Ranges() const { return m_ranges; }
  const CfgRanges& Ranges2() const { return m_ranges2; }

  const std::string& UserFileName() const { return m_userFileName; }
  const std::string& FactoryFileName() const { return m_factoryFileName; }

protected:
  explicit CConfigFileBase(const ConfigVariant& variant);

  const ConfigVariant& m_variant;
  std::string m_userFileName;
  std::string m_factoryFileName;
  std::uint32_t m_flashRomStart;
  std::int16_t m_lptPortIndex = 0;
  std::int16_t m_comPortIndex = 0;
  std::uint16_t m_eepromEndWord = 127;
  std::uint16_t m_lastEepromBlock = 1;
  std::uint16_t m_lastUserWord = 0;
  std::uint16_t m_blockCount = 0;
  std::uint16_t m_dataStartBlock = 0;
  std::uint16_t m_lastChannelBlock = 0;
  std::uint16_t m_lastSettingsBlock = 0;
  std::uint16_t m_adjustWordLow = 0;
  std::uint16_t m_adjustWordHigh = 0;
  std::uint16_t m_firstAdjustBlock = 0;
  std::uint16_t m_validMarkerWord = 0;
  bool m_hasFactoryFile = false;
  bool m_rawImageEdited = false;
  bool m_romEditorMode = false;
  bool m_streamProtocol = false;
  std::uint16_t m_otherWord1 = 0;
  std::array<std::uint8_t, 8> m_otherBytes{};
  std::uint16_t m_otherWord2 = 8;
  CfgRanges m_ranges{};
  CfgRanges m_ranges2{};

private:
  bool ReadUserFile();  // true when a port field was short
  void SetUnstoredRanges();
  void ApplyLayout(int baseBlocks);
};

// What a configuration write came to: true when every file was written;
// otherwise the first file that failed and the system's error number.
struct ConfigWriteResult {
  std::string failedFile;
  int error = 0;
  explicit operator bool() const { return error == 0; }
};

// The mobile pair "RP58.CFG" / "MB925.CFG"; also holds the COM port of every
// serial task of both families.
class CConfigFile : public CConfigFileBase {
public:
  CConfigFile();
  // Writes the user file (created when missing, with its first 36 bytes) and,
  // only if it exists, the factory file.
  ConfigWriteResult WriteConfig();
};

// The portable pair "RB36.CFG" / "MB407.CFG"; never written.
class CPortableConfigFile : public CConfigFileBase {
public:
  CPortableConfigFile();
};

extern CConfigFile g_config;
extern CPortableConfigFile g_portableConfig;

// The configuration object of the current family.
CConfigFileBase& CurrentConfig();
