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
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

void RemoveFile(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

void ResetModel() {
  if (!AllocateRadioImage()) InvariantBroken("no memory for the image");
  g_isPortable = 1;
  ResetScreensToDefaults();
  g_isPortable = 0;
  ResetScreensToDefaults();
  ClearRadioImage(g_pRadioImage);
  g_adjustCopy.fill(0);
  g_dataModified = 0;
  g_saveWithoutPack = 0;
  g_imageLoaded = 0;
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
