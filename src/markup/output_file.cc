#include "markup/output_file.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/diagnostics.h"

namespace {

// Temporary files that exist right now, so that an interrupted run can
// remove them.  Fixed storage: the signal handler may not allocate.
constexpr int kSlots = 8;
char pending[kSlots][PATH_MAX];
volatile sig_atomic_t pending_used[kSlots];

void remove_pending() {
  for (int i = 0; i < kSlots; ++i)
    if (pending_used[i]) unlink(pending[i]);
}

extern "C" void remove_pending_and_die(int sig) {
  remove_pending();
  signal(sig, SIG_DFL);
  raise(sig);
}

}  // namespace

void remove_temporary_files_on_signals() {
  at_fatal_exit(remove_pending);
  for (int sig : {SIGHUP, SIGINT, SIGTERM}) {
    struct sigaction old;
    if (sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
      continue;  // a run started to ignore it keeps ignoring it
    struct sigaction sa {};
    sa.sa_handler = remove_pending_and_die;
    sigemptyset(&sa.sa_mask);
    sigaction(sig, &sa, nullptr);
  }
}

namespace {

void add_pending(const std::string& path) {
  if (path.size() >= PATH_MAX) return;
  for (int i = 0; i < kSlots; ++i) {
    if (pending_used[i]) continue;
    std::memcpy(pending[i], path.c_str(), path.size() + 1);
    pending_used[i] = 1;
    return;
  }
}

void drop_pending(const std::string& path) {
  for (int i = 0; i < kSlots; ++i)
    if (pending_used[i] && path == pending[i]) pending_used[i] = 0;
}

mode_t current_umask() {
  static const mode_t mask = [] {
    mode_t m = umask(0);
    umask(m);
    return m;
  }();
  return mask;
}

// Follows symbolic links from PATH to the file they end at, which need not
// exist yet: writing through a link replaces its target, not the link.
std::string resolve_links(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    char buf[PATH_MAX];
    ssize_t n = readlink(path.c_str(), buf, sizeof buf);
    if (n < 0 || n == sizeof buf) return path;
    std::string target(buf, static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    if (target[0] != '/' && slash != std::string::npos)
      target = path.substr(0, slash + 1) + target;
    path = target;
  }
  return path;
}

// Creates a new temporary file with MODE beside FINAL; its descriptor, or
// -1 with errno set.
int create_temp(const std::string& final, mode_t mode, std::string& temp) {
  size_t slash = final.rfind('/');
  std::string dir = slash == std::string::npos ? "" : final.substr(0, slash + 1);
  std::string base = final.substr(dir.size()).substr(0, 200);
  static unsigned long seed =
      static_cast<unsigned long>(getpid()) ^
      static_cast<unsigned long>(time(nullptr)) * 2654435761UL;
  for (int tries = 0; tries < 100; ++tries) {
    seed = seed * 6364136223846793005UL + 1442695040888963407UL;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%06lx", (seed >> 33) & 0xffffff);
    temp = dir + "." + base + ".vorn-" + suffix;
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool direct(output_file& out, const std::string& name) {
  int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  out.fd = fd;
  out.owned = true;
  return true;
}

// An existing regular file: written through a temporary file with its
// mode, or in place when its folder may not be written.
bool replace(output_file& out, const std::string& final, const struct stat& st) {
  // Only a file that could be opened for writing may be replaced; the
  // probe changes nothing in it.
  int probe = ::open(final.c_str(), O_WRONLY | O_CLOEXEC);
  if (probe < 0) return false;
  mode_t mode = st.st_mode & 07777;
  int fd = create_temp(final, mode, out.temp);
  if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
    out.temp.clear();
    if (ftruncate(probe, 0) != 0) {
      int e = errno;
      ::close(probe);
      errno = e;
      return false;
    }
    out.fd = probe;
    out.owned = true;
    return true;
  }
  ::close(probe);
  if (fd < 0) return false;
  // The umask may have cut the mode; the owner is kept where we may.
  if ((mode & ~current_umask()) != mode) fchmod(fd, mode);
  if (st.st_uid != geteuid() || st.st_gid != getegid())
    if (fchown(fd, st.st_uid, st.st_gid) != 0) {
      // Not ours to give away: the new file is the writer's.
    }
  out.fd = fd;
  out.owned = true;
  return true;
}

}  // namespace

bool open_output_file(const std::string& name, output_file& out) {
  out = output_file{};
  if (name == "-") {
    out.fd = 1;
    return true;
  }
  if (name.empty()) {
    errno = ENOENT;
    return false;
  }
  struct stat st;
  bool exists = stat(name.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) return false;
  if (exists && !S_ISREG(st.st_mode)) return direct(out, name);
  out.final = resolve_links(name);
  bool ok;
  if (exists) {
    ok = replace(out, out.final, st);
  } else {
    int fd = create_temp(out.final, 0666, out.temp);
    ok = fd >= 0;
    if (ok) {
      out.fd = fd;
      out.owned = true;
    }
  }
  if (!ok) {
    out.temp.clear();
    return false;
  }
  if (!out.temp.empty()) add_pending(out.temp);
  return true;
}

bool commit_output_file(output_file& out) {
  int e = 0;
  if (out.owned && ::close(out.fd) != 0) e = errno;
  out.owned = false;
  out.fd = -1;
  if (!out.temp.empty()) {
    if (e == 0 && rename(out.temp.c_str(), out.final.c_str()) != 0) e = errno;
    if (e != 0) unlink(out.temp.c_str());
    drop_pending(out.temp);
    out.temp.clear();
  }
  errno = e;
  return e == 0;
}

void discard_output_file(output_file& out) {
  if (out.owned) ::close(out.fd);
  out.owned = false;
  out.fd = -1;
  if (!out.temp.empty()) {
    unlink(out.temp.c_str());
    drop_pending(out.temp);
    out.temp.clear();
  }
}
