#pragma once
// One running copy per user: a lock file "RP58_Mutex" in the user's runtime
// folder, held with flock for the life of the process. The kernel drops the
// lock when the process ends, however it ends, so a crash never leaves a
// stale lock behind.
#include <string>

class CSingleInstanceLock {
public:
  CSingleInstanceLock() = default;
  ~CSingleInstanceLock();
  CSingleInstanceLock(const CSingleInstanceLock&) = delete;
  CSingleInstanceLock& operator=(const CSingleInstanceLock&) = delete;

  enum Result {
    kAcquired,        // this process is the one instance
    kHeldElsewhere,   // another copy runs: end at once
    kUnavailable,     // no lock file can be made there: run unguarded
  };
  // Creates the folder (owner only) when missing.
  Result Acquire(const std::string& folder);
  bool Held() const { return m_fd >= 0; }

  // $XDG_RUNTIME_DIR when set, else the system's temporary folder.
  static std::string DefaultFolder();

private:
  int m_fd = -1;
};

inline constexpr const char* kInstanceLockName = "RP58_Mutex";
