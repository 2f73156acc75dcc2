#pragma once
// Data files: a raw dump of the radio memory image in a fixed chunk order,
// ".K58" for the mobile family and ".P58" for the portable family.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/RadioImage.h"

// The year of the local clock; tests replace it to check the 2013 rule.
using YearSource = int (*)();
void SetYearSource(YearSource source);  // nullptr restores the real clock
int CurrentYear();

// Asks the narrow-band question when wide channels lie in the narrow-band
// range of the radio's band. Returns false when the user stopped the save or
// send (only possible from 2013 on). Yes narrows the channels.
bool ConfirmNarrowbandCaution();

inline constexpr const char* kDefaultPortableUhfFile = "Data/DEFAULTU.P58";
inline constexpr const char* kDefaultPortableVhfFile = "Data/DEFAULTV.P58";
inline constexpr const char* kDefaultMobileUhfFile = "Data/DEFAULTU.K58";
inline constexpr const char* kDefaultMobileVhfFile = "Data/DEFAULTV.K58";

class CDataFile {
public:
  // 1 when the file was loaded and unpacked; 0 when refused (a message has
  // been shown, followed by refusalNote). A refused file leaves the image,
  // the adjustment copy, the family and the records exactly as they were.
  // A file shorter than a data file (but holding the first chunk) loads with
  // every byte it holds, the rest unwritten, and the user is told once at the
  // end of the load what was missing; with `shortfall` given, that text goes
  // there instead (empty for a whole file), for a caller that shows it once
  // its own window is up to date.
  int LoadDataFile(const std::string& path, const std::string& programDir, const std::string& refusalNote = "",
                   std::string* shortfall = nullptr);
  // true when the whole file was written. A refusal, a cancelled caution or
  // a write failure leaves any existing file untouched and the data dirty.
  bool SaveDataFile(const std::string& path);
};

extern CDataFile g_dataFile;

// A data file as read, apart from the working data.
struct DataFileContents {
  std::vector<std::uint8_t> image;  // kImageSize bytes
  std::array<std::uint8_t, kAdjustCopySize> adjust{};
  Family family = kUnknownFamily;
  // What a short file lacked, as the user is told; empty for a whole file.
  std::string shortfall;
};
// Reads a data file as LoadDataFile does, into `out` only: the image, the
// adjustment copy, the family and the records stay as they are. 1 read (a
// short file's note shown); 0 refused (its message shown, followed by
// refusalNote).
int ReadDataFile(const std::string& path, const std::string& programDir, DataFileContents& out,
                 const std::string& refusalNote = "");
// "Problem Saving file" naming the file, and the system's reason for the
// error number on a line of its own.
void ShowSaveProblem(const std::string& path, int error);
// Writes the bytes as a data file, whole or not at all; false after
// "Problem Saving file" was shown. No question, no pack, no flag changes.
bool WriteDataFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
// The bytes of a data file, laid out from an image and its adjustment copy.
std::vector<std::uint8_t> FileImageOf(const std::uint8_t* image, const std::uint8_t* adjustCopy);

// The file line's label.
inline constexpr char kFileLineLabel[] = "File:";
// "File:" and the path's last component, as the main window shows it.
std::string FileLineText(const std::string& path);
