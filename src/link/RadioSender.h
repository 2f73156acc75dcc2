#pragma once
// Send to Radio without its dialog: the checks of the data and of the radio,
// the polled send of either family (validity marker, alignment checksum,
// the radio's own alignment data kept, EEPROM words, patches, flash blocks),
// the one-block send of the memory editor, the service-mode serial number,
// and the streamed send. The send works on a scratch image; the program's
// image, its records and the service serial number change only when the
// whole send succeeded.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/CloneLink.h"
#include "link/RadioReader.h"
#include "model/RadioImage.h"

struct SendSettings {
  CloneLayout layout;
  Family family = kMobile;  // the family whose data is sent
  bool manufacturerMode = false;
  bool serviceMode = false;
  // The memory editor's "only one block": the block number as typed
  // (hexadecimal); nothing for a full send.
  std::optional<std::string> oneBlockText;
};

// Settings of a send started now: the configured layout and the family shown.
SendSettings CurrentSendSettings(bool manufacturerMode, bool serviceMode);

// What the send compares and skips by, from the family's radio-wide record.
struct SendRecordFields {
  std::uint8_t modelGroup = 0;  // model code masked to the family's model bits
  std::uint8_t modelByte = 0;   // image byte 249
  std::uint8_t lastGroupBlock = 0;
  std::uint8_t lastChannelBlock = 0;
};

struct SendHooks {
  // False stops the send with "RF Ch. #1 has not been programmed.".
  std::function<bool()> anyChannelProgrammed;
  // The narrow-band question; false when the user stopped the send.
  std::function<bool()> confirmNarrowband;
  // Packs the records into the image; 0 when a check refused (message shown).
  std::function<int(std::uint8_t* image)> packScreens;
  // After a byte edit in the memory editor the streamed send leaves the image
  // unpacked; true when the records hold settings the image does not (a page
  // changed since), which are then packed in after all.
  std::function<bool(const std::uint8_t* image)> recordsBeyondImage;
  // Read after packing, so the last group and channel blocks are current.
  std::function<SendRecordFields(Family family)> recordFields;
  // The radio's alignment data into the data model: the tuning bytes from
  // the image and, with decodeHeader 1, the header from the adjustment copy.
  std::function<void(Family family, const std::uint8_t* image, const std::uint8_t* adjust, int decodeHeader)>
      loadAdjustment;
  // The radio's version word and serial number into its information record.
  std::function<void(Family family, const std::uint8_t* image, const std::uint8_t* adjust)> unpackRadioInfo;
  // Service mode (mobile): the information record's serial text, and setting
  // it, packed into the adjustment copy when one is given.
  std::function<std::string()> serialText;
  std::function<void(const std::string& serial, std::uint8_t* adjust)> storeSerial;
  // Asks the operator for the radio's serial digits, showing the current
  // four: the text entered, or nothing when cancelled.
  std::function<std::optional<std::string>(const std::string& digits)> askSerialNumber;
  // Called before anything changes: returns what puts the records back when
  // the send fails.
  std::function<std::function<void()>()> saveRecords;
};

// The hooks the program runs with: the records, the narrow-band question and
// the packing come from the data model; the serial-number entry is the caller's.
SendHooks ModelSendHooks(std::function<std::optional<std::string>(const std::string& digits)> askSerialNumber);

// The service-mode serial number of a production run: eight characters, the
// last four being the digits the next radio gets; empty until the first send.
extern std::string g_serviceSerial;

// The serial digits as entered, right-aligned into four with leading zeros
// (the first four when more were typed).
std::string SerialDigitsFromEntry(const std::string& entered);
// The four digits plus one; 9999 wraps to 0000.
std::string NextSerialDigits(const std::string& digits);
// The memory editor's block number: 0..blockCount - 1, or -1 when the text is
// not a hexadecimal number in that range.
int ParseBlockNumber(const std::string& text, int blockCount);

struct SendFamilyTraits;
struct PolledPlan;

// One send; its protocols live in files of their own: PolledSend.cpp (the
// 0xF0-0xF3 frames), OneBlockSend.cpp (the memory editor's one block, a
// narrowed polled send) and StreamedSend.cpp, all over the frame layer of
// CloneLink.h.
class CRadioSender {
public:
  CRadioSender(CCloneLink& link, const SendSettings& settings, const SendHooks& hooks);

  // Opens the port when it is closed, checks the data and the radio and
  // writes it. kTransferDone, kTransferAborted (Esc before anything was
  // written) or kTransferFailed (the reason has been shown; an Esc after the
  // radio began to change shows " Download Error!").
  int SendAll();
  // After kTransferDone: the image as sent becomes the program's, and the
  // service serial number moves on.
  void Commit();

  const std::uint8_t* Image() const { return image_.data(); }

private:
  // RadioSender.cpp: what both protocols share.
  int Send();
  int CheckData();
  std::uint16_t ImageWord(int word) const;
  void SetImageWord(int word, std::uint16_t value);
  const CloneFamilyLayout& Layout() const;
  int LastEepromBlock() const;

  // PolledSend.cpp
  int PolledSend();
  int WakePolledRadio();
  int IdentifyRadio();
  int Dispatch();
  PolledPlan FullSendPlan() const;
  // The polled send of one family (SendMobile / SendPortable), as planned.
  int SendPolled(const SendFamilyTraits& traits, const PolledPlan& plan);
  int CheckHardware(const SendFamilyTraits& traits);
  int FixAdjustChecksum(const SendFamilyTraits& traits);
  int ReadAdjustBlocks(const SendFamilyTraits& traits, std::uint8_t* adjust);
  int TakeAlignmentData(const SendFamilyTraits& traits, std::uint8_t* adjust);
  int WriteServiceSerial(std::uint8_t* adjust);
  int KeepRadioIdentity();
  int WriteWords(const SendFamilyTraits& traits, const PolledPlan& plan);
  int WritePatches(const SendFamilyTraits& traits);
  int WriteBlocks(const SendFamilyTraits& traits, const PolledPlan& plan);
  // One flash block written and confirmed, with the retries the radio is allowed.
  int PutBlock(int imageBlock, const std::uint8_t* data);
  // One word written and confirmed, with the retries the radio is allowed.
  int PutWord(int word, std::uint16_t value, bool verify = true);
  // One word read with retries; failText is shown when they run out.
  int GetWord(int word, std::uint16_t& value, const char* failText);
  // One word read once; failures show the message box.
  int ReadOnce(int word, std::uint16_t& value);
  // A failed read or write of the retried kinds: kTransferDone to try again.
  int Counted(int linkResult, int limit, const char* failText);
  bool IsBlankAdjustCopy(const std::uint8_t* adjust) const;

  // OneBlockSend.cpp: the full send's plan narrowed to the block typed, or
  // the refusal shown.
  int PlanOneBlock(PolledPlan& plan);

  // StreamedSend.cpp
  int StreamedSend();
  int StreamWakeUp();
  int PatchConfigBlock();
  int StreamBlock(std::uint8_t header, int block);

  CCloneLink& link_;
  ICloneStatus& status_;
  const SendSettings& settings_;
  const SendHooks& hooks_;
  std::vector<std::uint8_t> image_;
  std::string serial_;  // the service serial number after this send
  SendRecordFields fields_;
  int errors_ = 0;
  int timeouts_ = 0;
  // The radio's memory has begun to change and is not marked valid again yet.
  bool markedInvalid_ = false;
};

// SendAll and, when it succeeds, Commit; when it fails, the records go back
// to what they were.
int SendToRadio(CCloneLink& link, const SendSettings& settings, const SendHooks& hooks);
