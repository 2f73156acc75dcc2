#pragma once
// The band record: image block 2, the radio's band configuration. It gives
// the channel step pair (band index), the receiver's IF offsets that the
// channel slots add to or take from the receive frequency, and a handful of
// fields carried for the radio. It is read from images and written only as
// the default block 2 of a freshly built image.
#include <array>
#include <cstdint>

#include "model/FrequencyRules.h"
#include "model/RadioImage.h"

class CBandRecord {
public:
  // IF offset of one step code: a magnitude in that code's IF unit and the
  // direction (minus = the IF is added when packing a receive frequency).
  struct IfOffset {
    std::uint16_t magnitude = 0;
    bool minus = false;
    bool operator==(const IfOffset&) const = default;
  };

  std::uint8_t m_bandIndex = 0;        // 0-3, selects the step pair
  std::uint8_t m_bandBit = 0;          // byte 256 bit 5
  std::uint8_t m_bandValue = 0;        // byte 256 bits 0-4
  std::uint16_t m_transmitOffset = 0;  // default transmit offset, 40 kHz units
  std::array<IfOffset, 4> m_ifOffset{};
  std::uint8_t m_field333 = 0;      // byte 333 bits 0-5
  std::uint8_t m_field334High = 0;  // byte 334 high nibble
  std::uint8_t m_field334Low = 0;   // byte 334 low nibble
  std::uint8_t m_flags333 = 0;      // byte 333 bit 7 as bit 4, bit 6 as bit 0
  std::uint8_t m_byte375 = 0;

  bool operator==(const CBandRecord&) const = default;

  Family GetFamily() const { return m_family; }

  // The defaults of a model (ApplyModelDefaults): UHF or VHF by the
  // radio-wide model code's band.
  void SetDefaults(bool uhf);
  // The Default Split the same model choice gives the default-split record.
  static double DefaultSplitMHz(bool uhf) { return uhf ? 5.0 : 0.0; }

  void Unpack(const std::uint8_t* image);
  // Writes the family's default block 2 for the band into the image. The
  // image is expected to hold 0xFF where the block has nothing to say.
  void WriteDefaultBlock(std::uint8_t* image, bool uhf) const;

  int StepCount(int stepCode) const { return ::StepCount(stepCode, m_bandIndex); }
  // IF offset of a step code in 10 Hz counts (always positive).
  std::int64_t IfOffsetCount(int stepCode) const;
  bool IfOffsetMinus(int stepCode) const { return m_ifOffset[stepCode & 3].minus; }
  double TransmitOffsetMHz() const { return m_transmitOffset * 0.04; }

  // The IF unit of a step code in 10 Hz counts: 5, 6.25, 2.5, 1.25 kHz.
  static int IfUnitCount(int stepCode);

protected:
  explicit CBandRecord(Family family);

private:
  // The step-code-3 offset fills both of its bytes, so its direction cannot
  // come from bit 7 of byte 331: it is the family's default for the band.
  bool DefaultIfMinus(int stepCode, bool uhf) const;

  Family m_family;
};

class CMobileBandRecord : public CBandRecord {
public:
  CMobileBandRecord() : CBandRecord(kMobile) {}
};

class CPortableBandRecord : public CBandRecord {
public:
  CPortableBandRecord() : CBandRecord(kPortable) {}
};
