#pragma once
// What the main window needs of the data model: loading and saving data
// files, the start-up load, the radio-information serial text and the
// records that refer to RF channels. The main window talks to the model only
// through these two interfaces; CRawDataFileService is a stand-in that moves
// the raw image until the records take over.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "model/RadioImage.h"

// What loading and saving tell the main window.
class IMainView {
public:
  virtual ~IMainView() = default;
  virtual void SetFileLine(const std::string& text) = 0;  // "File:" and the name
  virtual void ShowModelName() = 0;     // model line from the current family
  virtual void ShowSerialNumber() = 0;  // serial edit from the current record
  virtual void RebuildTabs() = 0;
};

class IDataFileService {
public:
  virtual ~IDataFileService() = default;
  // Allocates the image and loads g_dataFileName, or builds the default image
  // (g_dataFileName then "<NONE>"). False only when the image cannot be had.
  virtual bool LoadStartupData(IMainView& view, const std::string& programDir) = 0;
  // True when the file was loaded and unpacked; false after its message,
  // with the image and the records as they were.
  virtual bool LoadDataFile(const std::string& path, const std::string& programDir, IMainView& view) = 0;
  // True only when the whole file was written.
  virtual bool SaveDataFile(const std::string& path, IMainView& view) = 0;
};

class IRecordAccess {
public:
  virtual ~IRecordAccess() = default;
  // The current family's radio-information serial text (8 characters).
  virtual std::string SerialText() const = 0;
  virtual void SetSerialText(const std::string& serial) = 0;
  // Clears the adjustment-recover serial, which a typed serial replaces.
  virtual void ClearRecoverSerial() = 0;
  // Every repeater entry and group channel word of the current family.
  virtual void ForEachChannelReference(const std::function<void(std::uint16_t&)>& visit) = 0;
};

// Stand-ins: the raw image with its family-code check, and a serial text
// kept in the image's area for it.
std::unique_ptr<IDataFileService> MakeRawDataFileService();
std::unique_ptr<IRecordAccess> MakeImageRecordAccess();

// "File:" and the part of the path after its last folder separator.
std::string FileLineFor(const std::string& path);
