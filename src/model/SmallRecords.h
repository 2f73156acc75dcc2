#pragma once
// The small radio-wide records: the default split (with the power-on text it
// copies), the home/dual-watch view, the image-207 flag, and the two label
// tables of the band check.
#include <array>
#include <cstdint>

#include "model/RadioImage.h"

class CFamilyModel;

// Default split: the "Default Split" in MHz of the RF channel pages. Its
// unpack also copies the power-on text and four bits nothing reads; it is
// never packed, so image 768-775 pass through unchanged.
class COpeningMsgRecord {
public:
  virtual ~COpeningMsgRecord() = default;

  double m_defaultSplit = 0.0;
  char powerOnText[9] = {};
  std::array<std::uint8_t, 4> copiedBits{};  // 182 b6, 186 b3, 205 b1, 209 b4

  bool operator==(const COpeningMsgRecord&) const = default;

  void SetDefaults();
  void Unpack(const std::uint8_t* image);
  void SetDefaultSplit(double mhz) { m_defaultSplit = mhz; }

protected:
  COpeningMsgRecord() { SetDefaults(); }
};

class CMobileOpeningMsgRecord : public COpeningMsgRecord {};
class CPortableOpeningMsgRecord : public COpeningMsgRecord {};

// A read-only view of home and dual-watch bytes the radio-wide record packs.
class CSmallRecord {
public:
  virtual ~CSmallRecord() = default;

  std::uint8_t homeGroupNumber = 0;  // absolute group + 1; 0 = none
  std::uint8_t homeZoneNumber = 0;   // zone + 1
  std::uint8_t homeGrpScan = 0;
  std::uint8_t talkBack = 0;
  std::uint8_t dualWatchTimeA = 0;
  std::uint8_t dualWatchTimeB = 0;
  std::uint8_t revertGroup = 0;

  bool operator==(const CSmallRecord&) const = default;

  void SetDefaults();
  // The model's radio data numbers the home group over all zones.
  void Unpack(const CFamilyModel& model, const std::uint8_t* image);

protected:
  explicit CSmallRecord(Family family) : family_(family) { SetDefaults(); }

private:
  Family family_;
};

class CMobileSmallRecord : public CSmallRecord {
public:
  CMobileSmallRecord() : CSmallRecord(kMobile) {}
};
class CPortableSmallRecord : public CSmallRecord {
public:
  CPortableSmallRecord() : CSmallRecord(kPortable) {}
};

// Bit 7 of image 207; nothing packs it back but the radio-wide record's copy.
class CFlag207Record {
public:
  virtual ~CFlag207Record() = default;
  std::uint8_t flag = 1;
  bool operator==(const CFlag207Record&) const = default;
  void SetDefaults() { flag = 1; }
  void Unpack(const std::uint8_t* image);

protected:
  CFlag207Record() = default;
};

class CMobileFlag207Record : public CFlag207Record {};
class CPortableFlag207Record : public CFlag207Record {};

// "Disable", "Enable", ... "Disable".
extern const std::array<const char*, 13> g_bandRangeLabels13;
extern const std::array<const char*, 7> g_bandRangeLabels7;
