#include "app/DataServices.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "model/MessageBox.h"

namespace {

std::string WithPath(const char* format, const std::string& path) {
  std::string text = format;
  const auto at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, path);
  return text;
}

const char* const kOpenProblem = "Problem opening file\n    %s\n\n   Press any key";
const char* const kSaveProblem = "Problem Saving file\n    %s\n\n   Press any key";

class CRawDataFileService : public IDataFileService {
public:
  bool LoadStartupData(IMainView& view, const std::string& programDir) override {
    if (!AllocateRadioImage()) {
      ShowMessageBox("It is short of memory!");
      return false;
    }
    ClearRadioImage(g_pRadioImage);
    if (!LoadDataFile(g_dataFileName, programDir, view)) {
      g_dataFileName = kNoDataFileName;
      BuildDefault();
    }
    view.ShowModelName();
    return true;
  }

  bool LoadDataFile(const std::string& path, const std::string&, IMainView& view) override {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      ShowMessageBox(WithPath(kOpenProblem, path));
      view.RebuildTabs();
      return false;
    }
    // Read into a scratch image: a refused file leaves the working one alone.
    std::vector<std::uint8_t> scratch(kImageSize, 0xFF);
    in.read(reinterpret_cast<char*>(scratch.data()), static_cast<std::streamsize>(kImageSize));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got < 1152) {
      ShowMessageBox("Problem reading from file");
      return false;
    }
    const Family family = FamilyOfCode(scratch[area::kFamilyCode]);
    if (family == kUnknownFamily) {
      ShowMessageBox("Hardware configuration mismatched!");
      return false;
    }
    if (got < kImageSize) {
      ShowMessageBox("Problem reading from file");
      return false;
    }
    std::copy(scratch.begin(), scratch.end(), g_pRadioImage);
    g_isPortable = family == kPortable ? 1 : 0;
    g_dataModified = 0;
    g_imageLoaded = 0;
    view.SetFileLine(FileLineFor(path));
    view.ShowSerialNumber();
    view.RebuildTabs();
    return true;
  }

  bool SaveDataFile(const std::string& path, IMainView& view) override {
    // Write a neighbour and rename it over the target: an existing file is
    // either wholly old or wholly new.
    const std::string temp = path + ".tmp";
    bool ok = false;
    {
      std::ofstream out(temp, std::ios::binary | std::ios::trunc);
      if (out) {
        out.write(reinterpret_cast<const char*>(g_pRadioImage), static_cast<std::streamsize>(kImageSize));
        out.flush();
        ok = static_cast<bool>(out);
      }
    }
    std::error_code ec;
    if (ok) std::filesystem::rename(temp, path, ec);
    if (!ok || ec) {
      std::filesystem::remove(temp, ec);
      ShowMessageBox(WithPath(kSaveProblem, path));
      return false;
    }
    view.SetFileLine(FileLineFor(path));
    g_dataModified = 0;
    return true;
  }

private:
  static void BuildDefault() {
    ClearRadioImage(g_pRadioImage);
    g_pRadioImage[area::kFamilyCode] = FamilyCodeOf(g_isPortable ? kPortable : kMobile, true);
  }
};

class CImageRecordAccess : public IRecordAccess {
public:
  std::string SerialText() const override { return m_serial; }
  void SetSerialText(const std::string& serial) override { m_serial = serial; }
  void ClearRecoverSerial() override {}
  void ForEachChannelReference(const std::function<void(std::uint16_t&)>& visit) override {
    if (g_pRadioImage == nullptr) return;
    for (int g = 0; g < kGroupCount; ++g) {
      std::uint8_t* p = g_pRadioImage + GroupOffset(g) + 6;
      std::uint16_t word = GetBE16(p);
      visit(word);
      PutBE16(p, word);
    }
  }

private:
  std::string m_serial = "00000000";
};

}  // namespace

std::unique_ptr<IDataFileService> MakeRawDataFileService() { return std::make_unique<CRawDataFileService>(); }
std::unique_ptr<IRecordAccess> MakeImageRecordAccess() { return std::make_unique<CImageRecordAccess>(); }

std::string FileLineFor(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return "File:" + (slash == std::string::npos ? path : path.substr(slash + 1));
}
