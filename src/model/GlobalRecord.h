#pragma once
// The radio-wide settings record of each family: every setting of the
// Global 1, Global 2, Mobile Special and DTMF ANI pages, kept as copies of
// the image bytes that hold them, and the last channel/group block numbers.
// Group fields hold absolute group indexes (0..249 over all zones, 255 none);
// the image holds each group as its index within its zone.
#include <array>
#include <cstdint>
#include <string>

#include "model/RadioImage.h"

class CFamilyModel;

// What the two families do differently, as data.
struct GlobalRecordFamily {
  Family family;
  std::uint8_t modelMask;           // model group = model code AND this
  std::uint32_t constructedModel;   // model code and group set by the constructor
  std::uint32_t constructedGroup;
  std::uint8_t dataZoneDefault;     // image 211
};

class CGlobalRecord {
public:
  virtual ~CGlobalRecord() = default;

  std::uint8_t systemOptions = 0;   // 30: b5 System Scan, b7 cleared by paging decode
  std::uint8_t optionByte31 = 0;    // 31: carried
  std::uint32_t modelGroup = 0;     // model code masked
  std::uint32_t modelCode = 0;      // 32
  std::uint8_t hardwareByte = 0;    // 33, written by PackDefault only
  std::string passwordText;         // the password as text; empty = none
  std::array<char, 8> radioPassword{};  // 34-41; 8 zero bytes = none
  std::uint8_t lcdOptions = 0;      // 42: b0 LCD Angle, P b2 Back Light
  std::uint8_t sqlLevelOffset = 0;  // 43: b0-3 SQL level offset, M b4-7 LCD contrast
  std::uint8_t homeGroup = kNoGroup, homeZone = kNoZone;  // 140 / 141
  std::uint8_t displayOptions = 0;  // 182: tagging, Talk Back, Home Grp Scan, M Back Light, rotary
  std::uint8_t scanResumeTimes = 0; // 183
  std::uint8_t dualWatchTimeA = 0;  // 184
  std::uint8_t toneOptions = 0;     // 185
  std::uint8_t saveOptions = 0;     // 186: RX save mode, APO time
  std::uint8_t dualWatchTimeB = 0;  // 187
  std::uint8_t totTimes = 0;        // 200
  std::uint8_t qalsOptions = 0;     // 202, low nibble
  std::uint8_t pttOptions = 0;      // 204
  std::uint8_t advancedOptions = 0; // 205
  std::uint8_t emergencyTimes = 0;  // 206
  std::uint8_t emergencyOptions = 0;  // 207
  std::uint8_t powerOnOptions = 0;  // 208: b0-2 lock, b3-4 Revert Group, b5-7 Power On/Receiver Status
  std::uint8_t emergencyKeyOptions = 0;  // 209
  std::uint8_t dataGroup = kNoGroup, dataZone = kNoZone;  // 210 / 211
  std::uint8_t aniSpeedOptions = 0;        // 212
  std::uint8_t firstDigitDelayOptions = 0; // 213
  std::uint8_t shortcut1Group = kNoGroup, shortcut1Zone = kNoZone;  // 214 / 215
  std::uint8_t shortcut2Group = kNoGroup, shortcut2Zone = kNoZone;  // 216 / 217
  std::uint8_t shortcut3Group = kNoGroup, shortcut3Zone = kNoZone;  // 218 / 219
  std::uint8_t shortcut4Group = kNoGroup, shortcut4Zone = kNoZone;  // 220 / 221
  std::uint8_t microphoneSens = 0;  // 222
  std::uint8_t beepLevel = 0;       // 223
  std::uint8_t carried224 = 0, carried225 = 0;
  std::uint8_t afMinVrLevel = 0;    // 226 (mobile; always 0 on the portable radio)
  std::uint8_t carried227 = 0, carried228 = 0, carried229 = 0, carried230 = 0, carried231 = 0,
               carried232 = 0;
  std::uint8_t dataModeOptions = 0;  // 233
  std::uint8_t emergencyGroup = kNoGroup, emergencyZone = kNoZone;  // 234 / 235
  std::uint8_t carried236 = 0;       // M, written by PackDefault only
  std::uint8_t backLightDimmer = 0;  // M 244
  std::uint8_t zoneScanOptions = 0;  // M 246
  std::uint8_t optionBoard = 0;      // M 247, b0-2
  std::uint8_t modelByte = 0;        // 249; P b5: global::kPortableCanDial
  std::uint8_t featureByte = 0;      // M 251
  std::uint8_t lastChannelBlock = 0; // 252
  std::uint8_t lastGroupBlock = 0;   // 253
  std::array<std::uint8_t, 8> emergencyCode{};  // 646-653, a DTMF digit string
  std::uint32_t backLight = 0;       // M: 182 b6; P: 42 b2 (2 = 42 b2 only)
  // Mobile only.
  std::uint8_t hornExtPttBits = 0;   // 704
  std::uint8_t displayFlashOptions = 0;  // 705
  std::array<std::uint8_t, 5> accOutput{};  // 719-723
  std::array<std::uint8_t, 5> accInput{};   // 725-728, 730
  std::uint8_t dsubZone = kNoZone;   // 731
  std::array<std::uint8_t, 16> dsubGroup{};  // 732-747, absolute
  std::uint8_t ignitionBits = 0;     // 748
  std::uint8_t ledOnTime = 0;        // 755, 10 ms units
  std::uint8_t ledOffTime = 0;       // 756
  std::uint8_t ledOptions = 0;       // 757
  std::uint8_t extMicSense = 0;      // 758

  bool operator==(const CGlobalRecord&) const = default;

  void SetDefaults();
  // The model is this record's family model: its radio data places the
  // groups, its key and DTMF records feed the checks.
  void Unpack(const CFamilyModel& model, const std::uint8_t* image);
  // Pass 0 writes the settings after the write-time checks; a refused check
  // shows its message and returns 0 with neither the image nor the record
  // changed. Pass 1 writes the last channel and group blocks (252, 253).
  int Pack(const CFamilyModel& model, std::uint8_t* image, int pass);
  // The same for a default image, with the extra bytes a fresh radio needs.
  int PackDefault(const CFamilyModel& model, std::uint8_t* image, int pass);

  // Absolute group <-> group within its zone, by the model's group counts.
  // 255 when the group cannot be placed.
  static std::uint8_t ToZoneGroup(const CFamilyModel& model, std::uint8_t absolute);
  static std::uint8_t ToAbsoluteGroup(const CFamilyModel& model, std::uint8_t group, std::uint8_t zone);
  // Home, data, short cut 1-4 and emergency.
  static constexpr std::size_t kGroupPairCount = 7;

  // The record's copy of a plain settings byte of the image, or nullptr when
  // the record keeps no such copy (or it is a group or zone of a pair).
  std::uint8_t* FieldOfImageByte(int imageByte);

  const GlobalRecordFamily& FamilyData() const { return *family_; }
  bool IsMobile() const { return family_->family == kMobile; }

protected:
  explicit CGlobalRecord(const GlobalRecordFamily& family);

private:
  // A group byte of the image that names no group of its pair's zone: the
  // pages show the pair as not set, and the pack writes the byte back as it
  // came while the pair still holds what the unpack made of it.
  struct KeptGroupByte {
    bool kept = false;
    std::uint8_t imageByte = kNoGroup;
    std::uint8_t group = kNoGroup, zone = kNoZone;  // the pair as unpacked
    bool operator==(const KeptGroupByte&) const = default;
  };

  int PackSettings(const CFamilyModel& model, std::uint8_t* image, bool defaultImage);
  int PackBlocks(const CFamilyModel& model, std::uint8_t* image);
  bool CheckSettings(const CFamilyModel& model) const;
  void ApplyPackEdits(const CFamilyModel& model, bool defaultImage);
  static std::uint8_t UnpackGroup(const CFamilyModel& model, std::uint8_t imageByte, std::uint8_t zone,
                                  KeptGroupByte& kept);
  static std::uint8_t PackGroup(const CFamilyModel& model, std::uint8_t group, std::uint8_t zone,
                                const KeptGroupByte& kept);
  const GlobalRecordFamily* family_;
  std::array<KeptGroupByte, kGroupPairCount> keptPairGroups_{};  // in image order
  std::array<KeptGroupByte, 16> keptDsubGroups_{};
};

class CMobileGlobalRecord : public CGlobalRecord {
public:
  CMobileGlobalRecord();
};

class CPortableGlobalRecord : public CGlobalRecord {
public:
  CPortableGlobalRecord();
};

// The nine refusals of the write-time checks.
inline constexpr const char* kHomeSystemRefusal = "Home System has not been programmed";
inline constexpr const char* kHomeGroupRefusal =
    "Please assign the Home System/Group at the Common 2 menu or delete the Home key assignment\r\n"
    "and disable the Home Group Scan at the Common 1 menu.";
inline constexpr const char* kSystem1Refusal = "Please set up the System 1/Group 1.";
inline constexpr const char* kShortCutRefusals[4] = {
    "Short cut # 1 has not been programmed", "Short cut # 2 has not been programmed",
    "Short cut # 3 has not been programmed", "Short cut # 4 has not been programmed"};
inline constexpr const char* kEmergencySystemRefusal = "Emergency System has not been programmed";
inline constexpr const char* kEmergencyGroupRefusal = "Emergency Group has not been programmed";
