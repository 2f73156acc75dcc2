#pragma once
// Key assignment: the 13 key function codes (image 188-199 pair-swapped, and
// 201), three extra 4-bit function fields (203 high, 203 low, 202 high), the
// three key flags (208 b0-2) and the in-use flag of every catalogue code.
#include <array>
#include <cstdint>

#include "model/RadioImage.h"

class CFamilyModel;

inline constexpr int kKeyCodeCount = 13;
inline constexpr int kKeyExtraCount = 3;
inline constexpr int kKeyFlagCount = 3;
inline constexpr int kMaxKeyInUse = 46;

// Key function codes the records test.
inline constexpr std::uint8_t kKeyScan = 3;
inline constexpr std::uint8_t kKeyPhone = 16;
inline constexpr std::uint8_t kKeyEmergency = 17;
inline constexpr std::uint8_t kKeyHome = 19;
inline constexpr std::uint8_t kKeyShortCut1 = 26;  // 26..29: short cuts #1..#4

struct KeyAssignFamily {
  Family family;
  int inUseCount;          // catalogue size: 46 mobile, 42 portable
  std::uint8_t lastCode;   // the catalogue runs 1..31 and 64..lastCode
  std::array<std::uint8_t, kKeyCodeCount> defaults;
};

class CKeyAssignRecord {
public:
  virtual ~CKeyAssignRecord() = default;

  // Codes 1..12 are the six keys pressed, then held; code 13 no page shows.
  std::array<std::uint8_t, kKeyCodeCount> keyFunc{};
  std::array<std::uint8_t, kKeyExtraCount> extraCodes{};  // X, Y, Z
  std::array<std::uint8_t, kKeyFlagCount> keyFlags{};
  // Only the first InUseCount() entries belong to the catalogue.
  std::array<std::uint8_t, kMaxKeyInUse> inUse{};

  bool operator==(const CKeyAssignRecord&) const = default;

  void SetDefaults();
  void Unpack(const std::uint8_t* image);
  // Refuses a Phone key when the model's radio can dial and its dial memory
  // #0 is empty (message shown, 0, nothing written). Otherwise writes and
  // returns 1.
  int Pack(const CFamilyModel& model, std::uint8_t* image) const;

  // Clears every in-use flag and sets those of the codes and extra codes.
  void RebuildInUse();
  bool HasCode(std::uint8_t code) const;  // among the 13 key codes
  int InUseCount() const { return family_->inUseCount; }
  // Index of a code's in-use flag, or -1 for a code outside the catalogue.
  int InUseIndex(int code) const;
  bool IsInUse(int code) const;
  void SetInUse(int code, bool on);  // no effect outside the catalogue
  // The key function an extra field's value stands for, 0 for none.
  static std::uint8_t ExtraCodeFunction(int value);
  // Whether the radio can dial: a mobile product code, or a portable model
  // byte with global::kPortableCanDial set.
  static bool CanDial(const CFamilyModel& model);

protected:
  explicit CKeyAssignRecord(const KeyAssignFamily& family);

private:
  const KeyAssignFamily* family_;
};

class CMobileKeyAssignRecord : public CKeyAssignRecord {
public:
  CMobileKeyAssignRecord();
};

class CPortableKeyAssignRecord : public CKeyAssignRecord {
public:
  CPortableKeyAssignRecord();
};

inline constexpr const char* kPhoneKeyRefusal =
    "Please set up the Individual Dial memory #0 or disable the Phone Interconnect function.";
