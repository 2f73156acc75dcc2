#pragma once
// Every bit field of the radio-wide record, named once: the image byte whose
// copy the record keeps and the bits of it, or a word the record keeps apart
// (the back-light flag). The record's checks and pack edits, the settings
// pages' rows and the print routines all read a setting through its name
// here, so they cannot drift apart.
#include <cstdint>

#include "model/GlobalRecord.h"
#include "model/Settings.h"

struct GlobalField {
  int imageByte = -1;
  BitRange bits = kWholeByte;
  std::uint32_t CGlobalRecord::*word = nullptr;
};

constexpr GlobalField At(int imageByte, BitRange bits = kWholeByte) { return {imageByte, bits, nullptr}; }
constexpr GlobalField Word(std::uint32_t CGlobalRecord::*word) { return {-1, kWholeByte, word}; }

// The field in the record; a null reference when the record keeps no copy of
// its image byte (a mobile-only byte of the portable record).
FieldRef Resolve(CGlobalRecord& record, const GlobalField& field);
// Its value; 0 where the record keeps no copy.
std::uint32_t ValueOf(const CGlobalRecord& record, const GlobalField& field);

// Ports of each side of the mobile accessory connector.
inline constexpr int kAccPorts = 5;

namespace global {

// 0x1E (30)
inline constexpr GlobalField kSystemScan = At(0x1E, Bit(5));  // packing always sets it
inline constexpr GlobalField kSystemBit6 = At(0x1E, Bit(6));  // packing always clears it
inline constexpr GlobalField kPagingAllowed = At(0x1E, Bit(7));  // cleared while a paging decode is on
// 0x2A (42)
inline constexpr GlobalField kLcdAngle = At(0x2A, Bit(0));
inline constexpr GlobalField kPortableBackLight = At(0x2A, Bit(2));
inline constexpr GlobalField kLcdBit4 = At(0x2A, Bit(4));  // always 0 in the image
inline constexpr GlobalField kLcdBit5 = At(0x2A, Bit(5));  // cleared by unpack
// 0x2B (43): the portable radio keeps its own setting in the high nibble
inline constexpr GlobalField kSqlLevelOffset = At(0x2B, Bits(0, 3));
inline constexpr GlobalField kLcdContrast = At(0x2B, Bits(4, 7));  // mobile
// The portable page reads and writes the record's whole byte (the unpack
// keeps only the low nibble, so a file cannot bring more).
inline constexpr GlobalField kPortableSqlLevelOffset = At(0x2B);
// 0xB6 (182)
inline constexpr GlobalField kTagging = At(0xB6, Bits(1, 3));
inline constexpr GlobalField kTalkBack = At(0xB6, Bit(4));
inline constexpr GlobalField kHomeGrpScan = At(0xB6, Bit(5));
inline constexpr GlobalField kMobileBackLight = At(0xB6, Bit(6));
inline constexpr GlobalField kRotarySwitchMode = At(0xB6, Bit(7));
// 0xB7 (183)
inline constexpr GlobalField kScanResumeRx = At(0xB7, Bits(0, 3));
inline constexpr GlobalField kScanResumeTx = At(0xB7, Bits(4, 7));
// 0xB8 (184), 0xBB (187): tenths of a second
inline constexpr GlobalField kDualWatchTimeA = At(0xB8);
inline constexpr GlobalField kDualWatchTimeB = At(0xBB);
// 0xB9 (185)
inline constexpr GlobalField kFunctionalTones = At(0xB9, Bit(2));
inline constexpr GlobalField kControlsTones = At(0xB9, Bit(3));
inline constexpr GlobalField kPowerOnTone = At(0xB9, Bit(4));
inline constexpr GlobalField kOffHookHorn = At(0xB9, Bit(5));
inline constexpr GlobalField kOffHookMonitor = At(0xB9, Bit(6));
inline constexpr GlobalField kOffHookScan = At(0xB9, Bit(7));
// 0xBA (186)
inline constexpr GlobalField kRxSaveMode = At(0xBA, Bits(0, 2));
inline constexpr GlobalField kSaveBit4 = At(0xBA, Bit(4));  // packing always clears it
inline constexpr GlobalField kApoTime = At(0xBA, Bits(6, 7));
// 0xC8 (200)
inline constexpr GlobalField kTotReleaseTime = At(0xC8, Bits(0, 1));
inline constexpr GlobalField kTotPenaltyTime = At(0xC8, Bits(2, 3));
// 0xCA (202): the record keeps the low nibble
inline constexpr GlobalField kQalsBit1 = At(0xCA, Bit(1));  // packing always sets it
inline constexpr GlobalField kQalsTxTime = At(0xCA, Bit(2));
inline constexpr GlobalField kQalsBeep = At(0xCA, Bit(3));
inline constexpr GlobalField kAniTransmission = At(0xCA, Bit(0));
// 0xCC (204)
inline constexpr GlobalField kHighBattery = At(0xCC, Bit(0));
inline constexpr GlobalField kLowBatteryAlert = At(0xCC, Bit(1));
inline constexpr GlobalField kPttInterlock = At(0xCC, Bit(2));
// 0xCD (205)
inline constexpr GlobalField kClone = At(0xCD, Bit(0));  // a radio password switches it off
inline constexpr GlobalField kAdvancedBit4 = At(0xCD, Bit(4));  // always set
inline constexpr GlobalField kMicrophone = At(0xCD, Bit(5));  // always set by packing
inline constexpr GlobalField kAdvancedKeyHoldingTime = At(0xCD, Bits(2, 3));  // portable
// 0xCE (206), 0xCF (207): emergency
inline constexpr GlobalField kEmergencyTxTime = At(0xCE, Bits(0, 3));
inline constexpr GlobalField kEmergencyRxTime = At(0xCE, Bits(4, 7));
inline constexpr GlobalField kEmergencyTime = At(0xCF, Bits(0, 3));
inline constexpr GlobalField kEmergencyLed = At(0xCF, Bit(4));
inline constexpr GlobalField kEmergencyLcd = At(0xCF, Bit(5));
inline constexpr GlobalField kEmergencyAfMute = At(0xCF, Bit(6));
// 0xD0 (208)
inline constexpr GlobalField kLockRestriction = At(0xD0, Bits(0, 2));
inline constexpr GlobalField kRevertGroup = At(0xD0, Bits(3, 4));
inline constexpr GlobalField kPowerOnStatus = At(0xD0, Bits(5, 7));
// 0xD1 (209)
inline constexpr GlobalField kDtmfMonitor = At(0xD1, Bit(0));
inline constexpr GlobalField kScanBeep = At(0xD1, Bit(2));
inline constexpr GlobalField kScanEdit = At(0xD1, Bit(3));
inline constexpr GlobalField kEmergencyLockOut = At(0xD1, Bit(5));
inline constexpr GlobalField kEmergencyKeyHoldingTime = At(0xD1, Bits(6, 7));
// 0xD4 (212), 0xD5 (213): the ANI settings
inline constexpr GlobalField kAniSpeed = At(0xD4, Bits(6, 7));
inline constexpr GlobalField kFirstDigitDelay = At(0xD5, Bits(4, 6));
// 0xDE (222), 0xDF (223)
inline constexpr GlobalField kMicrophoneSens = At(0xDE);
inline constexpr GlobalField kBeepLevel = At(0xDF);
// 0xE9 (233)
inline constexpr GlobalField kDataMode = At(0xE9, Bits(5, 6));
// 0xF9 (249), the model byte: bit 5 set on a portable model that can dial.
// It has two readings: set, the Phone key needs dial memory #0 and the prints
// show the paging digit and the microphone lines (the radio can dial); set,
// the DTMF ANI page greys its DTMF KeyPad list (the radio has no key pad
// choice). Both read this one name.
inline constexpr GlobalField kPortableCanDial = At(0xF9, Bit(5));
// Mobile only.
inline constexpr GlobalField kMobileNoKeyPad = At(0xFB, Bit(3));  // with a mobile product code
inline constexpr GlobalField kBackLightDimmer = At(0xF4, Bits(0, 1));
inline constexpr GlobalField kZoneScan = At(0xF6, Bit(5));
inline constexpr GlobalField kOptionBoard = At(0xF7, Bits(0, 2));
inline constexpr GlobalField kOptionBoardCode = At(0xF7, Bits(5, 7));  // the board's companion code
inline constexpr GlobalField kScanDisplay = At(0x2C0, Bit(7));
inline constexpr GlobalField kQalsMode = At(0x2C1, Bits(0, 1));
inline constexpr GlobalField kEmergencyDisplay = At(0x2C1, Bit(4));
inline constexpr GlobalField kEmergencyKeyInhibit = At(0x2C1, Bit(5));
inline constexpr GlobalField kDisplayFlashBit6 = At(0x2C1, Bit(6));  // set by packing a radio's image
inline constexpr GlobalField kLedOnTime = At(0x2F3);  // 10 ms units
inline constexpr GlobalField kLedOffTime = At(0x2F4);
inline constexpr GlobalField kEmergencyLedColor = At(0x2F5, Bits(1, 2));
inline constexpr GlobalField kEmergencyLedBlink = At(0x2F5, Bits(4, 6));
inline constexpr GlobalField kSilentMode = At(0x2F5, Bit(7));
// Mobile Special.
inline constexpr GlobalField kAfMinVrLevel = At(0xE2);  // 0..31
inline constexpr GlobalField kHornAlertTime = At(0x2C0, Bits(4, 6));
inline constexpr GlobalField kExternalPtt = At(0x2C0, Bit(3));
inline constexpr GlobalField kIgnitionSense = At(0x2EC, Bit(1));
inline constexpr GlobalField kExtMicSense = At(0x2F6);
// The function codes of the accessory connector's lines: outputs of ACC
// Port1-5, inputs of ACC Port1-4 and Port6 (Port5 has no input).
constexpr GlobalField AccOutput(int port) { return At(0x2CF + port); }
constexpr GlobalField AccInput(int port) { return At(port < 4 ? 0x2D5 + port : 0x2DA); }

// Mobile: 0xB6 bit 6 both ways; portable: read from 0x2A bit 2, packed into both.
inline constexpr GlobalField kBackLight = Word(&CGlobalRecord::backLight);

// Values the record's checks and pack edits look for.
inline constexpr std::uint32_t kRevertGroupHome = 1;
inline constexpr std::uint32_t kRevertGroupLastBusy = 3;
inline constexpr std::uint32_t kPowerOnZone1 = 1;

}  // namespace global
