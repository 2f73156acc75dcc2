#include "model/DataFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <system_error>
#include <vector>

#include "model/ConfigFile.h"
#include "model/Digits.h"
#include "model/FreshStart.h"
#include "model/MessageBox.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"

CDataFile g_dataFile;

namespace {

YearSource g_yearSource;  // set by the fresh start below

const char* const kReadError = "Problem reading from file";

std::string Formatted(const char* format, const std::string& path) {
  std::string out;
  const std::string f(format);
  const std::size_t at = f.find("%s");
  return f.substr(0, at) + path + f.substr(at + 2);
}

// Reads up to n bytes; returns how many arrived.
std::size_t ReadInto(std::istream& in, std::uint8_t* dst, std::size_t n) {
  in.read(reinterpret_cast<char*>(dst), static_cast<std::streamsize>(n));
  return static_cast<std::size_t>(in.gcount());
}

bool ReadExactly(std::istream& in, std::uint8_t* dst, std::size_t n) { return ReadInto(in, dst, n) == n; }

// Where a data file of the family ends: a mobile file goes on past 0x6000
// only for the products that have the tail, a portable file ends with its
// 5-Tone areas.
constexpr std::size_t kPortableFileEnd = 0x5880;
std::size_t DataFileEnd(Family family, std::uint8_t productCode) {
  if (family == kPortable) return kPortableFileEnd;
  return IsMobileProductCode(productCode) ? kImageSize : area::kMobileCarried;
}

const char* PortableDefaultFileOf(const std::uint8_t* image) {
  return (image[area::kFamilyCode] & 0x80) != 0 ? kDefaultPortableUhfFile : kDefaultPortableVhfFile;
}

// The 5-Tone areas of a portable file written before they existed (or cut
// short inside them) come from the default file of the radio's band, from
// `from` on.
bool CompleteFromDefaultFile(std::uint8_t* image, std::size_t from, const std::string& programDir) {
  std::string name = PortableDefaultFileOf(image);
  if (!programDir.empty()) name = programDir + "/" + name;
  std::ifstream def(name, std::ios::binary);
  if (!def.is_open()) return false;
  std::vector<std::uint8_t> bytes(kPortableFileEnd);
  if (!ReadExactly(def, bytes.data(), bytes.size())) return false;
  std::memcpy(image + from, bytes.data() + from, kPortableFileEnd - from);
  return true;
}

// What a short file lacks, for the user: the parts of the layout from the
// first missing byte on.
struct FilePart {
  std::size_t start;
  const char* name;
};
constexpr FilePart kMobileParts[] = {{area::kZoneRecords, "the zones"},
                                     {area::kGroupRecords, "the groups"},
                                     {area::kChannels, "the RF channels"},
                                     {area::kMobileFiveToneCommon, "the 5-Tone data"},
                                     {area::kMobileCarried, "the memory blocks kept for the radio"},
                                     {area::kMobileAdjust, "the adjustment data"}};
constexpr FilePart kPortableParts[] = {{area::kZoneRecords, "the zones"},
                                       {area::kGroupRecords, "the groups"},
                                       {area::kChannels, "the RF channels"},
                                       {area::kPortableAdjust, "the adjustment data"},
                                       {area::kPortableFiveToneCommon, "the 5-Tone data"}};

std::string ShortFileNote(const std::string& path, Family family, std::size_t held, std::size_t end,
                          const char* completedFrom) {
  std::vector<std::string> missing;
  const auto add = [&](const FilePart* first, const FilePart* last) {
    for (const FilePart* p = first; p != last; ++p) {
      const std::size_t partEnd = p + 1 != last ? p[1].start : end;
      if (partEnd <= held || p->start >= end) continue;
      missing.push_back(std::string(p->name) + (held > p->start ? " (in part)" : ""));
    }
  };
  if (family == kPortable)
    add(std::begin(kPortableParts), std::end(kPortableParts));
  else
    add(std::begin(kMobileParts), std::end(kMobileParts));
  std::string list;
  for (std::size_t i = 0; i < missing.size(); ++i)
    list += (i == 0 ? "" : i + 1 == missing.size() ? " and " : ", ") + missing[i];
  char at[16];
  std::snprintf(at, sizeof at, "0x%04zX", held);
  std::string text = "The file is shorter than a data file\n    " + path + "\n\nMissing from byte " + at + " on: " +
                     list + ".\n";
  if (completedFrom == nullptr) return text + "What is missing is left unwritten.";
  text += std::string("The missing 5-Tone data is taken from ") + completedFrom + ".";
  if (held < area::kPortableFiveToneCommon) text += "\nThe rest of what is missing is left unwritten.";
  return text;
}

void Tell(void (IDataFileView::*what)(const std::string&), const std::string& text) {
  if (IDataFileView* v = GetDataFileView()) (v->*what)(text);
}

void RebuildTabs() {
  if (IDataFileView* v = GetDataFileView()) v->RebuildTabs();
}

std::vector<std::uint8_t> FileImage() { return FileImageOf(g_pRadioImage, g_adjustCopy.data()); }

bool WriteAll(int fd, const std::uint8_t* data, std::size_t n) {
  while (n > 0) {
    const ssize_t w = ::write(fd, data, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += w;
    n -= static_cast<std::size_t>(w);
  }
  return true;
}

// A rename would replace a file the user may not write. Without any write bit
// the file is read-only even to root, who passes every access check.
bool IsWriteProtected(const std::string& path, const struct stat& st) {
  return ::access(path.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// Temporary files of a save are named ".<target>.save-<pid>" beside the target,
// so the next save of the same file can tell its own leftovers from anything
// else in the folder, including the temporaries of other targets.
constexpr const char* kTemporaryTag = ".save-";

std::string TemporaryPrefix(const std::string& target) { return "." + target + kTemporaryTag; }

// The owner's process id when name is a temporary of target, else 0.
pid_t TemporaryOwner(const std::string& name, const std::string& target) {
  const std::string prefix = TemporaryPrefix(target);
  if (name.size() <= prefix.size() || name.size() > prefix.size() + 9 || name.compare(0, prefix.size(), prefix) != 0 ||
      name[prefix.size()] == '0')
    return 0;
  pid_t pid = 0;
  for (std::size_t i = prefix.size(); i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return 0;
    pid = pid * 10 + (name[i] - '0');
  }
  return pid;
}

// Saves run one at a time in a process, so a temporary carrying our own id
// is a leftover of an earlier process that had it. Another user's live
// process answers EPERM and counts as alive.
bool OwnerIsGone(pid_t pid) { return pid == ::getpid() || (::kill(pid, 0) != 0 && errno == ESRCH); }

// Removes the temporaries that killed or crashed saves of target left in
// folder. Only this user's plain files of exactly that name form are touched.
void RemoveStaleTemporaries(const std::string& folder, const std::string& target) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const int dfd = ::dirfd(dir);
  while (const dirent* e = ::readdir(dir)) {
    const pid_t owner = TemporaryOwner(e->d_name, target);
    struct stat st {};
    if (owner <= 0 || ::fstatat(dfd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && OwnerIsGone(owner)) ::unlinkat(dfd, e->d_name, 0);
  }
  ::closedir(dir);
}

// Makes the rename itself durable. A folder the user may write but not list
// cannot be opened, and some file systems cannot sync a folder; neither is a
// failed save. Returns 0 or the system's error number.
int SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno == EACCES ? 0 : errno;
  const int error = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
  ::close(fd);
  return error;
}

// Writes the file whole or not at all: a temporary file in the same folder,
// flushed to disk, then renamed over the target. Bytes an existing file holds
// beyond the image are carried over. Returns 0, or the system's error number
// of the step that failed.
int WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  if (exists && IsWriteProtected(path, old)) return EACCES;
  const std::size_t slash = path.find_last_of('/');
  const bool bare = slash == std::string::npos;
  const std::string target = bare ? path : path.substr(slash + 1);
  const std::string folder = bare ? "." : slash == 0 ? "/" : path.substr(0, slash);
  RemoveStaleTemporaries(folder, target);
  const std::string tmp = (bare ? "" : path.substr(0, slash + 1)) + TemporaryPrefix(target) + std::to_string(::getpid());
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  // The first step that fails gives the reason; errno is read at once.
  int error = 0;
  const auto step = [&error](bool ok) {
    if (error == 0 && !ok) error = errno != 0 ? errno : EIO;
  };
  errno = 0;
  step(WriteAll(fd, bytes.data(), bytes.size()));
  if (!exists) {
    // A new file gets the usual rights, not the private ones of a temporary.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }
  if (error == 0 && exists) {
    ::fchmod(fd, old.st_mode & 07777);
    if (old.st_size > static_cast<off_t>(bytes.size())) {
      std::ifstream in(path, std::ios::binary);
      in.seekg(static_cast<std::streamoff>(bytes.size()));
      std::vector<std::uint8_t> tail(static_cast<std::size_t>(old.st_size) - bytes.size());
      if (!in.good() || !ReadExactly(in, tail.data(), tail.size()))
        error = EIO;
      else
        step(WriteAll(fd, tail.data(), tail.size()));
    }
  }
  if (error == 0) step(::fsync(fd) == 0);
  step(::close(fd) == 0);
  if (error == 0) step(::rename(tmp.c_str(), path.c_str()) == 0);
  if (error != 0) {
    ::unlink(tmp.c_str());
    return error;
  }
  return SyncFolder(folder);
}

}  // namespace

std::vector<std::uint8_t> FileImageOf(const std::uint8_t* image, const std::uint8_t* adjustCopy) {
  std::vector<std::uint8_t> file(image, image + kImageSize);
  const bool mobile = FamilyOfCode(image[area::kFamilyCode]) == kMobile;
  if (!mobile && !g_saveWithoutPack) std::memcpy(file.data() + area::kPortableAdjust, adjustCopy, kBlockSize);
  std::memcpy(file.data() + area::kMobileAdjust, adjustCopy, kAdjustCopySize);
  return file;
}

void SetYearSource(YearSource source) { g_yearSource = source; }

namespace {
void FreshYearSource() { SetYearSource(nullptr); }  // the real clock
const FreshStartReset kFreshStart(&FreshYearSource);
}  // namespace

int CurrentYear() {
  if (g_yearSource != nullptr) return g_yearSource();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

std::string FileLineText(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return kFileLineLabel + (slash == std::string::npos ? path : path.substr(slash + 1));
}

bool ConfirmNarrowbandCaution() {
  const int first = FindWideNarrowbandChannel();
  if (first < 0) return true;
  const bool from2013 = CurrentYear() >= 2013;
  std::string text =
      "FCC Rule Caution!\n"
      "Your Data includes some Wide bandwidth CHs in 150-174 MHz or 421-512 MHz band.\n"
      "After Jan.1.2013.You must change their CHs to Narrow bandwidth\n";
  if (from2013) {
    text +=
        "So,the Wide bandwidth CHs in your data was changed to Narrow bandwidth automatically.\n"
        "Do you start downloading them?";
  } else {
    text +=
        "Do you change their CHs to Narrow bandwidth automatically, and start. Do you start downloading them?\n"
        "Yes:It will be change the bandwidth into Narrow and start downloading\n"
        "No:It will start downloading(w/o changing the bandwidth)";
  }
  if (ShowMessageBox(text, kMsgYesNo | kMsgIconWarning) == kIdYes) {
    NarrowWideChannelsFrom(first);
    g_dataModified = true;
    return true;
  }
  return !from2013;
}

namespace {

enum class ReadResult { kRead, kNotOpened, kRefused };

ReadResult ReadFileContents(const std::string& path, const std::string& programDir, DataFileContents& out,
                            const std::string& refusalNote) {
  const auto refuse = [&refusalNote](const std::string& text, unsigned style = kMsgOk) {
    ShowMessageBox(text + refusalNote, style);
    return ReadResult::kRefused;
  };
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) {
    refuse(Formatted("Problem opening file\n    %s\n\n   Press any key", path));
    return ReadResult::kNotOpened;
  }
  // The copies start unwritten: what the file does not define (a portable
  // file ends at 0x5880, a mobile tail may be missing, a file may be cut
  // short) must not keep the bytes of the file open before, or a save would
  // write them into this one.
  std::vector<std::uint8_t> image(kImageSize);
  ClearRadioImage(image.data());
  std::array<std::uint8_t, kAdjustCopySize> adjust;
  adjust.fill(kUnwrittenByte);
  std::uint8_t* img = image.data();

  // Every chunk of the layout sits at its image offset, so the file is read
  // whole and a short file keeps every byte it holds.
  const std::size_t length = ReadInto(in, img, kImageSize);
  if (length < area::kZoneRecords) return refuse(kReadError);
  const Family family = FamilyOfCode(img[area::kFamilyCode]);
  if (family == kUnknownFamily) return refuse("Hardware configuration mismatched!", kMsgOk | kMsgIconWarning);
  // Past the family's layout the bytes are not this radio's: a portable
  // file's are no mobile tail, whatever its product code says.
  const std::size_t end = DataFileEnd(family, img[area::kProductCode]);
  const std::size_t held = std::min(length, end);
  std::fill(img + held, img + kImageSize, kUnwrittenByte);
  const char* completedFrom = nullptr;
  if (family == kPortable) {
    if (held > area::kPortableAdjust)
      std::memcpy(adjust.data(), img + area::kPortableAdjust, std::min<std::size_t>(held - area::kPortableAdjust, kBlockSize));
    if (held < end) {
      in.close();
      if (!CompleteFromDefaultFile(img, std::max(held, area::kPortableFiveToneCommon), programDir))
        return refuse(kReadError);
      completedFrom = PortableDefaultFileOf(img);
    }
  } else if (held > area::kMobileAdjust) {
    std::memcpy(adjust.data(), img + area::kMobileAdjust, held - area::kMobileAdjust);
  }
  // A portable file that ends where the 5-Tone areas begin is a file of the
  // days before them, not a short one.
  const bool olderPortable = family == kPortable && held == area::kPortableFiveToneCommon;
  out.shortfall = held < end && !olderPortable ? ShortFileNote(path, family, held, end, completedFrom) : "";
  out.image = std::move(image);
  out.adjust = adjust;
  out.family = family;
  return ReadResult::kRead;
}

}  // namespace

int ReadDataFile(const std::string& path, const std::string& programDir, DataFileContents& out,
                 const std::string& refusalNote) {
  if (ReadFileContents(path, programDir, out, refusalNote) != ReadResult::kRead) return 0;
  if (!out.shortfall.empty()) ShowMessageBox(out.shortfall, kMsgOk | kMsgIconWarning);
  return 1;
}

void ShowSaveProblem(const std::string& path, int error) {
  // The system's reason on a line of its own, as the port errors give it.
  ShowMessageBox(Formatted("Problem Saving file\n    %s\n\n   Press any key", path) + "\n" +
                 std::generic_category().message(error));
}

bool WriteDataFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const int error = WriteFileAtomically(path, bytes);
  if (error == 0) return true;
  ShowSaveProblem(path, error);
  return false;
}

int CDataFile::LoadDataFile(const std::string& path, const std::string& programDir, const std::string& refusalNote,
                            std::string* shortfall) {
  // Everything is read into scratch copies and committed only when the whole
  // file has loaded, so a refused file leaves the working data as it was.
  DataFileContents file;
  switch (ReadFileContents(path, programDir, file, refusalNote)) {
    case ReadResult::kNotOpened:
      RebuildTabs();
      return 0;
    case ReadResult::kRefused:
      return 0;
    case ReadResult::kRead:
      break;
  }
  std::memcpy(g_pRadioImage, file.image.data(), kImageSize);
  g_adjustCopy = file.adjust;
  // A loaded image holds no hex edits: sends pack the records again.
  g_config.SetRawImageEdited(false);
  g_isPortable = file.family == kPortable;
  UnpackImageToScreens(g_pRadioImage);
  UnpackAdjustmentData(g_pRadioImage, g_adjustCopy.data(), 1);
  g_imageLoaded = false;
  g_dataModified = false;
  Tell(&IDataFileView::SetFileLine, FileLineText(path));
  Tell(&IDataFileView::SetSerialText, CurrentSerialText());
  RebuildTabs();
  if (shortfall != nullptr)
    *shortfall = file.shortfall;
  else if (!file.shortfall.empty())
    ShowMessageBox(file.shortfall, kMsgOk | kMsgIconWarning);
  return 1;
}

bool CDataFile::SaveDataFile(const std::string& path) {
  if (!ConfirmNarrowbandCaution()) return false;
  if (!g_saveWithoutPack && PackScreensToImage(g_pRadioImage) == 0) return false;
  if (!WriteDataFileBytes(path, FileImage())) return false;
  Tell(&IDataFileView::SetFileLine, FileLineText(path));
  g_dataModified = false;
  return true;
}
