#pragma once
// Where a transfer shows how it is doing: the clone dialog's two status
// lines, its block counter and its progress bar, and the beep.
#include <string>

class ICloneStatus {
public:
  virtual ~ICloneStatus() = default;
  virtual void SetStatusLine1(const std::string& text) = 0;
  virtual void SetStatusLine2(const std::string& text) = 0;
  virtual void SetBlockCounter(const std::string& text) = 0;
  virtual void SetProgressRange(int maximum) = 0;  // the minimum is always 0
  virtual void SetProgress(int position) = 0;
  virtual void Beep() = 0;
};

// Shows nothing; for transfers nobody watches.
class CNullCloneStatus : public ICloneStatus {
public:
  void SetStatusLine1(const std::string&) override {}
  void SetStatusLine2(const std::string&) override {}
  void SetBlockCounter(const std::string&) override {}
  void SetProgressRange(int) override {}
  void SetProgress(int) override {}
  void Beep() override {}
};
