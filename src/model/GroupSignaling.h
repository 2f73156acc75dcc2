#pragma once
// The signalling (or paging) function and number of a group on the advanced
// group pages, and the rules that tie encryption, ANI and the power-save
// switches to them. The function is a value made of bits in several bytes,
// laid out by the family, the product code (11 and 39 against the others)
// and, on a mobile radio, the option board; these are pure functions of the
// records, so the pages and their tests share them.
#include <cstdint>
#include <string>

#include "model/GridSpec.h"
#include "model/GroupRecord.h"
#include "model/RadioImage.h"

class CFamilyModel;

struct SignalingContext {
  Family family = kMobile;
  bool code1139 = false;     // product code 11 or 39
  bool xld = false;          // mobile: the XLD-200 accessory fitted
  bool noEncryption = false; // mobile: the XBE-16 board fitted, which leaves no encryption
  bool Mobile() const { return family == kMobile; }
};
SignalingContext SignalingContextOf(const CFamilyModel& model);

// --- LTR groups: "Disable" (0) or "Signaling" (3) ---
std::uint32_t LtrSignalingValue(const SignalingContext& ctx, const CGroupRecord& group);
std::uint32_t LtrDefaultSignalingValue(const SignalingContext& ctx, const CDefaultGroupRecord& record);
// Sets or clears both parts of the function.
void StoreLtrSignaling(const SignalingContext& ctx, CGroupRecord& group, bool on);
void StoreLtrDefaultSignaling(const SignalingContext& ctx, CDefaultGroupRecord& record, bool on);

// --- conventional groups: the function F and its lines ---
std::uint32_t ConvSignalingValue(const SignalingContext& ctx, const CGroupRecord& group);
std::uint32_t ConvDefaultSignalingValue(const SignalingContext& ctx, const CDefaultGroupRecord& record);
// The lines a cell offers (and takes its text from): mobile with product
// code 11 or 39 and the XLD-200 adds "Option" while the encryption bits
// (byte 0 bits 3-4) are 0.
ChoiceRows ConvSignalingRows(const SignalingContext& ctx, std::uint8_t encryptionBits);
// Stores line `line` of the rows the cell offered. A mobile group whose
// function pair (byte 1 bits 6 and 4) changes gets its number reset: 1 for
// "Option", else 0; "Signaling" and "Option" switch ANI off (product code 11
// or 39).
void StoreConvSignaling(const SignalingContext& ctx, CGroupRecord& group, int line);
// The Default column's store; then each group of the zone follows the
// Default record (see StoreConvSignalingFromDefault).
void StoreConvDefaultSignaling(const SignalingContext& ctx, CDefaultGroupRecord& record, int line);
// A group of the zone after a Default store: its function bits from the
// Default record's (and ANI off for "Signaling" or "Option", product code 11
// or 39); its number stays.
void StoreConvSignalingFromDefault(const SignalingContext& ctx, const CDefaultGroupRecord& record, CGroupRecord& group,
                                   int line);

// The number lines of a group (byte 1 bits 0-3): "Loc. 1" .. "Loc. 0" for
// paging (portable always), else "GE Star", "MDC-1200", "DTMF".
ChoiceRows ConvNumberRows(const SignalingContext& ctx, const CGroupRecord& group);
std::string ConvNumberText(const SignalingContext& ctx, const CGroupRecord& group);
// Whether the number cell of a switched-on group is open.
bool ConvNumberOpen(const SignalingContext& ctx, const CGroupRecord& group);

// --- cell rules shared by the advanced pages ---
// Mobile, product code 11 or 39: the function value byte 1 bit 4 + 2 x
// byte 1 bit 6 (the Default record's byte 2 bit 0 for the second).
std::uint32_t MobileFunctionPair(const CGroupRecord& group);
std::uint32_t MobileDefaultFunctionPair(const CDefaultGroupRecord& record);
// Whether a mobile Encryption cell of a switched-on group is open (and the
// Default cell, from the Default record's pair): closed for "Option" (2)
// with product code 11 or 39, and closed whenever the XBE-16 is fitted.
bool MobileEncryptionOpen(const SignalingContext& ctx, std::uint32_t pair);
// Whether a mobile conventional ANI cell of a switched-on group is open:
// closed while its signalling is on (byte 1 bit 6), product code 11 or 39.
bool MobileConvAniOpen(const SignalingContext& ctx, const CGroupRecord& group);
