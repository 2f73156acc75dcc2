#pragma once
// A message sink for tests: records every box and answers from a script, so
// no test ever waits on a modal window.
#include <deque>
#include <string>
#include <vector>

#include "model/MessageBox.h"

class ScriptedMessages : public IMessageSink {
public:
  struct Shown {
    std::string text;
    std::string caption;
    unsigned style;
  };

  ScriptedMessages();
  ~ScriptedMessages() override;
  ScriptedMessages(const ScriptedMessages&) = delete;
  ScriptedMessages& operator=(const ScriptedMessages&) = delete;

  // Answers to give, in order; when the script runs out, the box's first
  // button (OK or Yes) answers.
  void Answer(int result) { answers_.push_back(result); }
  int Show(const std::string& text, const std::string& caption, unsigned style) override;

  const std::vector<Shown>& shown() const { return shown_; }
  std::vector<std::string> texts() const;
  void clear() { shown_.clear(); }

private:
  IMessageSink* previous_;
  std::deque<int> answers_;
  std::vector<Shown> shown_;
};

// A fresh empty directory, made the working directory for the object's life.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
  std::string path_;
  std::string previousCwd_;
};

// Small file helpers for fixtures.
std::vector<unsigned char> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes);
bool FileExists(const std::string& path);
