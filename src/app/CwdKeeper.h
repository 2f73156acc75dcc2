#pragma once
// Restores the working directory when a command ends, as the file dialogs of
// other systems may move it.
#include <filesystem>
#include <string>
#include <system_error>

class CwdKeeper {
public:
  CwdKeeper() : m_cwd(std::filesystem::current_path(m_ec)) {}
  ~CwdKeeper() {
    if (!m_ec) std::filesystem::current_path(m_cwd, m_ec);
  }
  CwdKeeper(const CwdKeeper&) = delete;
  CwdKeeper& operator=(const CwdKeeper&) = delete;
  std::string Path() const { return m_cwd.string(); }

private:
  std::error_code m_ec;
  std::filesystem::path m_cwd;
};
