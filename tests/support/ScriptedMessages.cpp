#include "ScriptedMessages.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

ScriptedMessages::ScriptedMessages() : previous_(GetMessageSink()) { SetMessageSink(this); }
ScriptedMessages::~ScriptedMessages() { SetMessageSink(previous_); }

int ScriptedMessages::Show(const std::string& text, const std::string& caption, unsigned style) {
  shown_.push_back({text, caption, style});
  if (!answers_.empty()) {
    const int a = answers_.front();
    answers_.pop_front();
    return a;
  }
  const unsigned buttons = style & 0x0F;
  return (buttons == kMsgYesNo || buttons == kMsgYesNoCancel) ? kIdYes : kIdOk;
}

std::vector<std::string> ScriptedMessages::texts() const {
  std::vector<std::string> out;
  for (const auto& s : shown_) out.push_back(s.text);
  return out;
}

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "rp58-test-XXXXXX").string();
  if (mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl;
  previousCwd_ = std::filesystem::current_path().string();
  std::filesystem::current_path(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::current_path(previousCwd_, ec);
  // Tests make folders read-only to provoke write failures; give the rights back first.
  for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
    std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::vector<unsigned char> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}
