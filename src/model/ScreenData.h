#pragma once
// The screen-data drivers: move the whole screen data of the current family
// between the radio memory image and the records, in the fixed order the
// records depend on (later records overwrite bytes earlier ones wrote, and
// some read fields an earlier unpack filled).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What loading and saving tell the main window. The main dialog implements
// it; with none installed the calls go nowhere.
class IDataFileView {
public:
  virtual ~IDataFileView() = default;
  virtual void SetFileLine(const std::string& text) = 0;    // "File:..." line
  virtual void SetSerialText(const std::string& text) = 0;  // the serial-number edit
  virtual void UpdateModelLine() = 0;                       // the current family's model name
  virtual void RebuildTabs() = 0;
};
void SetDataFileView(IDataFileView* view);
IDataFileView* GetDataFileView();

// Start-up: allocates the image and loads g_dataFileName from programDir, or
// builds a default image identified as the default files' radio when it
// doesn't load (the load's message then says so). Returns false only when the
// image could not be allocated ("It is short of memory!" has been shown); the
// program must not go on then.
bool LoadStartupData(const std::string& programDir);

void UnpackImageToScreens(const std::uint8_t* image);
// Returns the result of the radio-information unpack.
int UnpackAdjustmentData(const std::uint8_t* image, std::uint8_t* adjustCopy, int decodeHeader);
void ResetScreensToDefaults();
// Non-zero when packed; 0 when a check refused (its message already shown).
int PackScreensToImage(std::uint8_t* image);
// What a save would write for this image and adjustment copy (kImageSize and
// kAdjustCopySize bytes) once the current family's records were unpacked
// from them: the data file's bytes, or nothing when a check of the pack
// refuses. Works on copies: the records, the adjustment copy and the message
// sink are as they were afterwards, and no message is shown.
std::optional<std::vector<std::uint8_t>> SavedFileOf(const std::uint8_t* image, const std::uint8_t* adjustCopy);
// Whether the current family's records hold anything this image and
// adjustment copy do not: packed, they give other bytes than the records the
// image unpacks to would. Works on copies, as SavedFileOf does.
bool RecordsDifferFromImage(const std::uint8_t* image, const std::uint8_t* adjustCopy);
void BuildDefaultImage(std::uint8_t* image);

// The narrow-band rule applied before a save or a send: the first programmed
// wide channel of the current family with its receive or transmit frequency
// inside the band's narrow-band range, or -1.
int FindWideNarrowbandChannel();
// Makes every programmed wide channel in range narrow, from channel first on.
void NarrowWideChannelsFrom(int first);

// The serial-number text of the current family's radio-information record.
std::string CurrentSerialText();
