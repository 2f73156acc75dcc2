#pragma once
// Read from Radio without its dialog: the streamed read (the radio pushes
// its blocks) and the polled read (words and blocks asked for with the
// 0xF0/0xF2 frames), identification, the radio password and the adjustment
// copy. Everything lands in a scratch image first; the program's image, its
// adjustment copy and its family change only when the whole read succeeded.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/CloneLink.h"
#include "model/RadioImage.h"

class CConfigFileBase;

// One family's share of the configured memory layout.
struct CloneFamilyLayout {
  std::uint32_t flashRomStart = 0x38000;
  int lastSettingsBlock = 8;
  int firstAdjustBlock = 254;
  bool romEditorMode = false;
  // What the send needs besides: the alignment words L..H (their sum in
  // L - 1), the validity marker word, the last word a user may program, and
  // the family's own EEPROM and block counts.
  int adjustWordLow = 3;
  int adjustWordHigh = 16;
  int validMarkerWord = 127;
  int lastUserWord = 119;
  int lastEepromBlock = 1;
  int blockCount = 256;
};

struct CloneLayout {
  int lastEepromBlock = 1;
  int blockCount = 256;
  bool streamProtocol = false;
  int comPortIndex = 0;
  CloneFamilyLayout mobile;
  CloneFamilyLayout portable{.flashRomStart = 0x1A500, .lastSettingsBlock = 8, .firstAdjustBlock = 167,
                             .adjustWordLow = 2, .adjustWordHigh = 14, .validMarkerWord = 127, .lastUserWord = 119,
                             .lastEepromBlock = 1, .blockCount = 168};
  // Bytes typed into the memory editor: a streamed send takes the image as it is.
  bool rawImageEdited = false;
};

// The layout the clone takes from the two configuration objects: block
// counts, protocol and port from the mobile one, each family's blocks from
// its own.
CloneLayout CloneLayoutFromConfig(const CConfigFileBase& mobile, const CConfigFileBase& portable);
// The same from g_config and g_portableConfig.
CloneLayout CurrentCloneLayout();

struct ReadSettings {
  CloneLayout layout;
  bool manufacturerMode = false;
  // The family shown now; an unidentified radio in manufacturer mode keeps
  // it. A streamed radio is always mobile.
  Family currentFamily = kMobile;
  // What the radio's password bytes are first compared with.
  std::array<std::uint8_t, 8> knownPassword{};
};

// Settings of a read started now: the configured layout, the family shown
// and g_radioPassword.
ReadSettings CurrentReadSettings(bool manufacturerMode);

struct ReadHooks {
  // Asks the user for the radio's password: the text entered (upper case,
  // padded with blanks to 8 characters), or nothing when cancelled.
  std::function<std::optional<std::string>()> askRadioPassword;
  // Runs when a polled read outside ROM-editor and manufacturer mode is
  // committed, before unpackScreens: takes the adjustment header of the copy
  // just read into the data model and writes it back over the copy's start,
  // in the family's layout. The portable image's adjustment block then takes
  // the copy's first block.
  std::function<void(Family family, std::uint8_t* adjustCopy)> rebuildAdjustHeader;
  // Runs after a successful read has been committed: unpack g_pRadioImage
  // into the records of g_isPortable's family; after a polled read also the
  // adjustment data, its header from the copy read, and the image once more.
  std::function<void(bool polled)> unpackScreens;
};

// The hooks the program runs with: the adjustment header and the unpacking
// come from the data model; only the password question is the caller's.
ReadHooks ModelReadHooks(std::function<std::optional<std::string>()> askRadioPassword);

// The radio's password bytes against the text the user entered, both as
// strings ending at their first zero byte.
bool RadioPasswordMatches(const std::string& entered, const std::uint8_t* radioPassword);

class CRadioReader {
public:
  CRadioReader(CCloneLink& link, const ReadSettings& settings, const ReadHooks& hooks);

  // Opens the port when it is closed and reads the whole radio into the
  // scratch image. kTransferDone, kTransferAborted (Esc) or kTransferFailed
  // (the reason has been shown).
  int ReceiveAll();
  // After kTransferDone: copies the scratch image and adjustment copy into
  // the program's, switches to the radio's family and unpacks.
  void Commit();

  const std::uint8_t* Image() const { return image_.data(); }
  const std::array<std::uint8_t, kAdjustCopySize>& AdjustCopy() const { return adjust_; }
  Family RadioFamily() const { return family_; }
  bool WasPolled() const { return polled_; }

private:
  int StreamedRead();
  int StreamHandshake(std::uint8_t& header);
  // One byte on the way to a block header; kLinkTimeout once the deadline
  // has passed without a header, whatever else came meanwhile.
  int ReadTowardsHeader(std::uint8_t& byte, std::uint64_t deadline);
  int PolledRead();
  int ReceiveMobileRest();
  int ReceivePortableRest();
  bool PasswordAccepted();
  // The password check and the first counter of both rest phases.
  int BeginRest(int total);
  // Whether a flash block holds anything by the radio's own last group and
  // last channel blocks.
  bool InUse(int block, const CloneFamilyLayout& layout) const;
  // Block counter and progress after a block of the rest phases.
  void ShowProgress(int block, int total);
  // The counter at its end, the closing pause and the beep.
  int Finish(int total);
  // One block of the rest phases with its retries, counted over total;
  // kLinkOk once read.
  int ReadRestBlock(int imageBlock, std::uint8_t* block, int total);
  void StoreBlock(int imageBlock, const std::uint8_t* block);
  int Counted(int linkResult);

  CCloneLink& link_;
  ICloneStatus& status_;
  const ReadSettings& settings_;
  const ReadHooks& hooks_;
  std::vector<std::uint8_t> image_;
  std::array<std::uint8_t, kAdjustCopySize> adjust_;
  Family family_;
  bool polled_ = false;
  bool rebuildHeader_ = false;  // the commit rebuilds the adjustment header
  int errors_ = 0;
  int timeouts_ = 0;
};

// ReceiveAll and, when it succeeds, Commit.
int ReadFromRadio(CCloneLink& link, const ReadSettings& settings, const ReadHooks& hooks);
