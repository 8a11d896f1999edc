#include "base/input.h"

#include "base/diagnostics.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <fcntl.h>
#include <unistd.h>
#include <unordered_set>
#include <utility>

namespace {

// Inputs may not reach 2^31 bytes: Expat counts in int.
constexpr int64_t kTooLarge = int64_t{1} << 31;

// How much is read and parsed at a time: at least 1 MiB, and half of what
// has been read so far.  Expat parses a token that does not end in a slice
// again from its start with the next one, so slices that grow with the
// file keep a single huge token (a comment of a gigabyte) from being
// scanned a thousand times.
constexpr int64_t kSlice = int64_t{1} << 20;

int64_t next_slice(int64_t read_so_far, int64_t left) {
  return std::min(left, std::max(kSlice, read_so_far / 2));
}

// The files of this run, by device and inode.  A process runs one
// command, so this set belongs to the process; every output of -L is
// looked up in it, hence a hash set.
struct file_id_hash {
  size_t operator()(const std::pair<dev_t, ino_t>& id) const {
    return std::hash<ino_t>()(id.second) * 31 + std::hash<dev_t>()(id.first);
  }
};
std::unordered_set<std::pair<dev_t, ino_t>, file_id_hash> run_inputs;
std::mutex run_inputs_lock;  // inputs may be read on several threads

void note_input(const struct stat& st) {
  std::lock_guard<std::mutex> hold(run_inputs_lock);
  run_inputs.emplace(st.st_dev, st.st_ino);
}

// Reports a parse error, or ends the program when Expat ran out of memory.
bool parse_failed(XML_Parser parser, const char* path) {
  if (XML_GetErrorCode(parser) == XML_ERROR_NO_MEMORY) out_of_memory();
  warn_at(parser, path, "%s", XML_ErrorString(XML_GetErrorCode(parser)));
  return false;
}

// Reads up to N bytes into BUF; the count, or -1 with errno set.
ssize_t read_some(int fd, char* buf, size_t n) {
  ssize_t got;
  do got = ::read(fd, buf, n);
  while (got < 0 && errno == EINTR);
  return got;
}

}  // namespace

input_file::~input_file() {
  if (fd != -1) ::close(fd);
}

bool open_input(const char* path, input_file& in) {
  // O_NONBLOCK keeps a FIFO without a writer from blocking the open; it
  // changes nothing for the regular files that pass the check below.
  int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat st;
  if (fd == -1 || fstat(fd, &st) == -1) {
    report_errno("%s", path);
    if (fd != -1) ::close(fd);
    return false;
  }
  const char* problem = nullptr;
  if (!S_ISREG(st.st_mode))
    problem = "not a regular file";
  else if (st.st_size >= kTooLarge)
    problem = "too large";
  if (problem || st.st_size == 0) {
    if (problem) {
      report("%s: %s", path, problem);
    } else {
      errno = EINVAL;  // there is nothing to parse
      report_errno("%s", path);
    }
    ::close(fd);
    return false;
  }
  note_input(st);
  in.fd = fd;
  in.size = st.st_size;
  in.ctime = st.st_ctime;
  return true;
}

bool read_input(const char* path, std::string& bytes) {
  input_file in;
  if (!open_input(path, in)) return false;
  bytes.resize(static_cast<size_t>(in.size));
  size_t have = 0;
  while (have < bytes.size()) {
    ssize_t got = read_some(in.fd, bytes.data() + have, bytes.size() - have);
    if (got < 0) {
      report_errno("%s", path);
      return false;
    }
    if (got == 0) break;  // cut short meanwhile: parse what is there
    have += static_cast<size_t>(got);
  }
  bytes.resize(have);
  return true;
}

void protect_input(const char* path) {
  struct stat st;
  if (stat(path, &st) == 0) note_input(st);
}

bool is_run_input(const struct stat& st) {
  std::lock_guard<std::mutex> hold(run_inputs_lock);
  return run_inputs.count({st.st_dev, st.st_ino}) != 0;
}

void begin_pass(XML_Parser parser, void* state, bool foreign_dtd) {
  XML_ParserReset(parser, nullptr);
  XML_SetUserData(parser, state);
  if (foreign_dtd) XML_UseForeignDTD(parser, XML_TRUE);
}

bool run_pass(XML_Parser parser, const char* path, input_file& in) {
  // The size when the file was opened is what is parsed; a file that has
  // shrunk since ends early, one that has grown is not read further.
  int64_t left = in.size;
  for (;;) {
    int want = static_cast<int>(next_slice(in.size - left, left));
    void* buf = XML_GetBuffer(parser, want);
    if (!buf) out_of_memory();
    ssize_t got = want ? read_some(in.fd, static_cast<char*>(buf),
                                   static_cast<size_t>(want))
                       : 0;
    if (got < 0) {
      report_errno("%s", path);
      return false;
    }
    left -= got;
    bool last = got == 0 || left == 0;
    if (XML_ParseBuffer(parser, static_cast<int>(got), last) != XML_STATUS_OK)
      return parse_failed(parser, path);
    if (last) return true;
  }
}

bool run_pass(XML_Parser parser, const char* path, std::string_view bytes) {
  if (XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()),
                XML_TRUE) == XML_STATUS_OK)
    return true;
  return parse_failed(parser, path);
}

void warn_at(XML_Parser parser, const char* path, const char* fmt, ...) {
  char buf[1024];
  va_list ap;
  va_start(ap, fmt);
  vsnprintf(buf, sizeof buf, fmt, ap);
  va_end(ap);
  report("%s:%zu:%zu: %s", path,
        static_cast<size_t>(XML_GetCurrentLineNumber(parser)),
        static_cast<size_t>(XML_GetCurrentColumnNumber(parser)), buf);
}
