#include "base/input.h"

#include "base/diagnostics.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <fcntl.h>
#include <unistd.h>
#include <unordered_set>
#include <utility>
#include <vector>

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

size_t line_of(XML_Parser parser) {
  return static_cast<size_t>(XML_GetCurrentLineNumber(parser));
}
size_t column_of(XML_Parser parser) {
  return static_cast<size_t>(XML_GetCurrentColumnNumber(parser));
}

// Reads up to N bytes into BUF; the count, or -1 with errno set.
ssize_t read_some(int fd, char* buf, size_t n) {
  ssize_t got;
  do got = ::read(fd, buf, n);
  while (got < 0 && errno == EINTR);
  return got;
}

// Copies up to N bytes of the document from OFFSET on into BUF: the
// count, or -1.  How a second pass reads the document again.
using read_at = std::function<ssize_t(char* buf, size_t n, int64_t offset)>;

// The second pass that finds the element a mismatched end tag leaves
// open: it notes every open element and where its start tag stands.
struct open_element {
  std::string name;
  size_t line, column;
};

struct mismatch_pass {
  XML_Parser parser;
  std::vector<open_element> open;
};

void XMLCALL note_open(void* data, const char* name, const char**) {
  mismatch_pass& m = *static_cast<mismatch_pass*>(data);
  m.open.push_back({name, line_of(m.parser), column_of(m.parser)});
}

void XMLCALL note_close(void* data, const char*) {
  mismatch_pass& m = *static_cast<mismatch_pass*>(data);
  if (!m.open.empty()) m.open.pop_back();
}

// Parses the SIZE bytes that READ gives with P, slice by slice; false
// when the parse fails.
bool parse_again(XML_Parser p, int64_t size, const read_at& read) {
  for (int64_t done = 0;;) {
    int want = static_cast<int>(next_slice(done, size - done));
    void* buf = XML_GetBuffer(p, want);
    if (!buf) out_of_memory();
    ssize_t got = want ? read(static_cast<char*>(buf), static_cast<size_t>(want), done) : 0;
    if (got < 0) return true;  // nothing to say then
    done += got;
    bool last = got == 0 || done == size;
    if (XML_ParseBuffer(p, static_cast<int>(got), last) != XML_STATUS_OK)
      return false;
    if (last) return true;
  }
}

// What a mismatched end tag that stopped FIRST closes, by a second pass
// over the document: " (</NAME> closes <OPEN> opened at LINE:COLUMN)".
// Empty when the second pass does not stop at the same end tag (the file
// changed meanwhile).  Well-formed documents never pay for it.
std::string mismatch_detail(XML_Parser first, int64_t size,
                            const read_at& read) {
  std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> p(
      XML_ParserCreate(nullptr), XML_ParserFree);
  if (!p) out_of_memory();
  mismatch_pass m{p.get(), {}};
  XML_SetUserData(p.get(), &m);
  XML_SetElementHandler(p.get(), note_open, note_close);
  // Undeclared entities pass, so the second pass gets at least as far.
  XML_UseForeignDTD(p.get(), XML_TRUE);
  if (parse_again(p.get(), size, read) ||
      XML_GetErrorCode(p.get()) != XML_ERROR_TAG_MISMATCH ||
      line_of(p.get()) != line_of(first) ||
      column_of(p.get()) != column_of(first) || m.open.empty())
    return "";
  // The end tag's name stands at the position of the error.
  int at = 0, held = 0;
  const char* context = XML_GetInputContext(p.get(), &at, &held);
  if (!context) return "";
  std::string_view rest(context + at, static_cast<size_t>(held - at));
  std::string_view closing = rest.substr(0, rest.find_first_of(" \t\r\n>"));
  const open_element& e = m.open.back();
  return " (</" + std::string(closing) + "> closes <" + e.name +
         "> opened at " + std::to_string(e.line) + ":" +
         std::to_string(e.column) + ")";
}

// Reports a parse error, or ends the program when Expat ran out of memory.
// After a mismatched end tag the document is read again by READ to say
// which element it leaves open.
bool parse_failed(XML_Parser parser, const char* path, int64_t size,
                  const read_at& read) {
  XML_Error code = XML_GetErrorCode(parser);
  if (code == XML_ERROR_NO_MEMORY) out_of_memory();
  std::string detail;
  if (code == XML_ERROR_TAG_MISMATCH)
    detail = mismatch_detail(parser, size, read);
  warn_at(parser, path, "%s%s", XML_ErrorString(code), detail.c_str());
  return false;
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
      return parse_failed(parser, path, in.size - left,
                          [&in](char* to, size_t n, int64_t offset) {
                            ssize_t r;
                            do r = ::pread(in.fd, to, n, offset);
                            while (r < 0 && errno == EINTR);
                            return r;
                          });
    if (last) return true;
  }
}

bool run_pass(XML_Parser parser, const char* path, std::string_view bytes) {
  if (XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()),
                XML_TRUE) == XML_STATUS_OK)
    return true;
  return parse_failed(parser, path, static_cast<int64_t>(bytes.size()),
                      [bytes](char* to, size_t n, int64_t offset) {
                        std::string_view part = bytes.substr(
                            static_cast<size_t>(offset), n);
                        std::memcpy(to, part.data(), part.size());
                        return static_cast<ssize_t>(part.size());
                      });
}

namespace {

// Reports "PATH:LINE:COLUMN: message", the message cut at 1023 bytes, once
// per KEY (always when KEY is empty).
void report_at(const std::string& key, const char* path, size_t line,
               size_t column, const char* fmt, va_list ap) {
  char buf[1024];
  vsnprintf(buf, sizeof buf, fmt, ap);
  report_once(key, "%s:%zu:%zu: %s", path, line, column, buf);
}

}  // namespace

void warn_at(XML_Parser parser, const char* path, const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  report_at("", path, line_of(parser), column_of(parser), fmt, ap);
  va_end(ap);
}

void warn_once_at(const std::string& key, XML_Parser parser, const char* path,
                  const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  report_at(key, path, line_of(parser), column_of(parser), fmt, ap);
  va_end(ap);
}

void warn_at_position(const char* path, size_t line, size_t column,
                      const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  report_at("", path, line, column, fmt, ap);
  va_end(ap);
}
