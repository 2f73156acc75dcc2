#pragma once
// Shared pieces of the link tests: a status sink that records what the
// dialog would show, and radio memories of both families.
#include <functional>
#include <string>
#include <vector>

#include "link/CloneStatus.h"
#include "model/RadioImage.h"

class RecordingStatus : public ICloneStatus {
public:
  void SetStatusLine1(const std::string& text) override {
    line1 = text;
    Note("1:" + text);
  }
  void SetStatusLine2(const std::string& text) override {
    line2 = text;
    Note("2:" + text);
  }
  void SetBlockCounter(const std::string& text) override {
    counter = text;
    if (onCounter) onCounter(text);
  }
  void SetProgressRange(int maximum) override { range = maximum; }
  void SetProgress(int position) override { progress = position; }
  void Beep() override { ++beeps; }

  // True when the status lines ever showed the text (either line).
  bool Showed(const std::string& text) const {
    for (const std::string& h : history)
      if (h.substr(2) == text) return true;
    return false;
  }

  std::string line1, line2, counter;
  int range = 0, progress = 0, beeps = 0;
  std::vector<std::string> history;
  std::function<void(const std::string&)> onCounter;
  std::function<void(const std::string&)> onLine;

private:
  void Note(const std::string& entry) {
    history.push_back(entry);
    if (onLine) onLine(entry.substr(2));
  }
};

// A radio memory whose every byte is told apart from 0xFF and from its
// neighbours' blocks, with the identification of the family.
inline std::vector<std::uint8_t> RadioMemory(Family family, int lastGroupBlock = 56, int lastChannelBlock = 184) {
  std::vector<std::uint8_t> memory(kImageBufferSize);
  for (std::size_t i = 0; i < memory.size(); ++i) memory[i] = static_cast<std::uint8_t>((i * 7 + i / 128) % 251);
  for (std::size_t i = 0; i < 8; ++i) memory[area::kRadioPassword + i] = 0;
  if (family == kMobile) {
    memory[249] = 0x25;
    memory[area::kProductCode] = 39;
    memory[area::kFamilyCode] = kFamilyMobileUhf;
    memory[area::kMobileCheckByte] = 0x10;
  } else {
    memory[249] = 0x35;
    memory[area::kFamilyCode] = kFamilyPortableUhf;
  }
  memory[252] = static_cast<std::uint8_t>(lastChannelBlock);
  memory[253] = static_cast<std::uint8_t>(lastGroupBlock);
  return memory;
}

inline bool SameBlock(const std::uint8_t* a, const std::uint8_t* b, int block) {
  for (std::size_t i = 0; i < kBlockSize; ++i)
    if (a[kBlockSize * block + i] != b[kBlockSize * block + i]) return false;
  return true;
}

inline bool BlankBlock(const std::uint8_t* image, int block) {
  for (std::size_t i = 0; i < kBlockSize; ++i)
    if (image[kBlockSize * block + i] != 0xFF) return false;
  return true;
}
