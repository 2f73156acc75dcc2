#include "app/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

CSingleInstanceLock::~CSingleInstanceLock() {
  if (m_fd >= 0) close(m_fd);
}

CSingleInstanceLock::Result CSingleInstanceLock::Acquire(const std::string& folder) {
  if (m_fd >= 0) return kAcquired;
  mkdir(folder.c_str(), 0700);
  const std::string path = folder + "/" + kInstanceLockName;
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return kUnavailable;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool busy = errno == EWOULDBLOCK;
    close(fd);
    return busy ? kHeldElsewhere : kUnavailable;
  }
  m_fd = fd;
  return kAcquired;
}

std::string CSingleInstanceLock::DefaultFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0') return runtime;
  // A shared temporary folder: keep one lock per user.
  return "/tmp/rp58-" + std::to_string(getuid());
}
