#include "FuzzSupport.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "link/RadioSender.h"
#include "model/ConfigFile.h"
#include "model/DataFile.h"
#include "model/FamilyModel.h"
#include "model/FreshStart.h"
#include "model/RadioImage.h"
#include "model/ScreenData.h"

void InvariantBroken(const std::string& what) {
  std::fprintf(stderr, "\n==== RP58 fuzz invariant broken: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

const std::string& ScratchDir() {
  // Never destroyed: the exit handler below still needs it.
  static const std::string& dir = *new std::string([] {
    std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path().string();
    std::string pattern = base + "/rp58-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) InvariantBroken("cannot make a scratch folder in " + base);
    const std::string made = pattern;
    // Removed when the fuzzer exits normally; a crash leaves it for a look.
    std::atexit([] { std::filesystem::remove_all(ScratchDir()); });
    return made;
  }());
  return dir;
}

std::string ScratchFile(const std::string& name) { return ScratchDir() + "/" + name; }

void WriteWholeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) InvariantBroken("cannot write the scratch file " + path);
}

Bytes ReadWholeFile(const std::string& path) {
  if (!std::filesystem::is_regular_file(path)) return {};
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

void RemoveFile(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

std::vector<std::string> OpenDescriptors() {
  std::vector<std::string> out;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
    std::error_code gone;
    const auto target = std::filesystem::read_symlink(entry.path(), gone);
    // The listing's own descriptor is closed by the time it is read, or
    // names the listing itself.
    if (!gone && target.filename() != "fd") out.push_back(entry.path().filename().string() + " -> " + target.string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> out;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) out.push_back(entry.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

bool SaveLeavingNothing(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const std::string name = std::filesystem::path(path).filename().string();
  const std::vector<std::string> fds = OpenDescriptors();
  std::vector<std::string> names = FolderNames(folder);
  const bool saved = g_dataFile.SaveDataFile(path);
  const std::vector<std::string> fdsAfter = OpenDescriptors();
  if (fdsAfter != fds) {
    std::string open;
    for (const std::string& fd : fdsAfter)
      if (std::find(fds.begin(), fds.end(), fd) == fds.end()) open += fd + "; ";
    InvariantBroken(std::string(saved ? "a completed" : "a refused") + " save left file descriptors open: " + open);
  }
  if (saved && std::find(names.begin(), names.end(), name) == names.end()) {
    names.push_back(name);
    std::sort(names.begin(), names.end());
  }
  const std::vector<std::string> namesAfter = FolderNames(folder);
  if (namesAfter != names) {
    std::string left;
    for (const std::string& n : namesAfter)
      if (std::find(names.begin(), names.end(), n) == names.end()) left += n + " ";
    InvariantBroken(std::string(saved ? "a completed" : "a refused") + " save left files behind: " + left);
  }
  return saved;
}

void ResetRecords() {
  const bool portable = g_isPortable;
  // Built anew, as a fresh process has them: a reset alone would keep what
  // the defaults are made from (the model code the band defaults follow).
  RebuildFamilyModels();
  g_isPortable = 1;
  ResetScreensToDefaults();
  g_isPortable = 0;
  ResetScreensToDefaults();
  g_isPortable = portable;
}

void ResetModel() {
  ResetToFreshStart();
  if (!AllocateRadioImage()) InvariantBroken("no memory for the image");
  ResetRecords();
  g_dataFileName = kNoDataFileName;
}

const std::vector<std::string>& LibraryFiles() {
  static const std::vector<std::string> files = [] {
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(RP58_SOURCE_DIR) + "/tests/data"))
      out.push_back(entry.path().string());
    std::sort(out.begin(), out.end());
    return out;
  }();
  return files;
}

std::string ProgramDir() { return RP58_PROGRAM_DIR; }

int CCautiousMessages::Show(const std::string& text, const std::string&, unsigned style) {
  ++shown;
  last = text;
  switch (style & 0x0F) {
    case kMsgYesNo:
    case kMsgYesNoCancel:
      return kIdNo;
    default:
      return kIdOk;
  }
}

CCautiousMessages& CautiousUser(bool before2013) {
  static CCautiousMessages messages;
  SetMessageSink(&messages);
  SetYearSource(before2013 ? [] { return 2012; } : nullptr);
  return messages;
}

KeptState KeptNow() {
  return {Bytes(g_pRadioImage, g_pRadioImage + kImageBufferSize),
          g_adjustCopy,
          g_isPortable,
          g_dataModified,
          g_imageLoaded,
          g_dataFileName,
          CurrentSerialText(),
          g_serviceSerial};
}

std::string Changed(const KeptState& a, const KeptState& b) {
  std::string out;
  if (a.image != b.image) out += "image (" + Differences(a.image, b.image) + ") ";
  if (a.adjust != b.adjust) out += "adjustment copy ";
  if (a.portable != b.portable) out += "family ";
  if (a.modified != b.modified) out += "changed flag ";
  if (a.loaded != b.loaded) out += "image-loaded flag ";
  if (a.fileName != b.fileName) out += "file name ";
  if (a.serialText != b.serialText) out += "serial number ('" + a.serialText + "' -> '" + b.serialText + "') ";
  if (a.serviceSerial != b.serviceSerial) out += "service serial number ";
  return out;
}

std::string Hex(const std::uint8_t* data, std::size_t size) {
  std::string out;
  char two[4];
  for (std::size_t i = 0; i < size; ++i) {
    std::snprintf(two, sizeof two, "%02X", data[i]);
    out += two;
  }
  return out;
}

std::string Differences(const Bytes& a, const Bytes& b, std::size_t limit) {
  std::string out;
  if (a.size() != b.size()) out += "sizes " + std::to_string(a.size()) + " / " + std::to_string(b.size()) + "; ";
  std::size_t shown = 0;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()) && shown < limit; ++i) {
    if (a[i] == b[i]) continue;
    char line[48];
    std::snprintf(line, sizeof line, "0x%04zX: %02X -> %02X; ", i, a[i], b[i]);
    out += line;
    ++shown;
  }
  return out;
}
