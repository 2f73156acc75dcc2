#pragma once
// The radio's identity: its firmware version (image 0-1) and its serial
// number, kept in four bytes of the adjustment data.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/RadioImage.h"

class CFamilyModel;

// The eight serial-number characters of the four serial bytes (without the
// model prefix), as the main window and the alignment window show them.
std::string SerialNumberText(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d);

struct RadioInfoFamily {
  Family family;
  std::size_t serialBytes[4];  // offsets into the adjustment data
};

class CRadioInfoRecord {
public:
  virtual ~CRadioInfoRecord() = default;

  std::string versionText = "00.00";
  // 8 characters, or 10 when a two-character model prefix precedes them.
  std::string serialText = "0N010000";

  bool operator==(const CRadioInfoRecord&) const = default;

  // Reads the version from the image and the serial from the adjustment
  // data; the prefix depends on the model's radio-wide record. Returns 1.
  int Unpack(const CFamilyModel& model, const std::uint8_t* image, const std::uint8_t* adjust);
  // Writes the serial text back into the four adjustment bytes: the exact
  // inverse of Unpack, a recognised prefix skipped.
  void PackSerial(std::uint8_t* adjust) const;

  // The prefix Unpack would put before a serial, or "" for none.
  static std::string SerialPrefix(const CFamilyModel& model, std::uint8_t first, std::uint8_t second);

protected:
  explicit CRadioInfoRecord(const RadioInfoFamily& family) : family_(&family) {}

private:
  const RadioInfoFamily* family_;
};

class CMobileRadioInfoRecord : public CRadioInfoRecord {
public:
  CMobileRadioInfoRecord();
};

class CPortableRadioInfoRecord : public CRadioInfoRecord {
public:
  CPortableRadioInfoRecord();
};
