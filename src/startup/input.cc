#include "startup/input.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <cstdio>
#include <err.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

mapped_input::~mapped_input() {
  if (addr) munmap(const_cast<char*>(addr), len);
  if (fd != -1) close(fd);
}

bool map_input(const char* path, mapped_input& in) {
  // O_NONBLOCK keeps a FIFO without a writer from blocking the open; it
  // changes nothing for the regular files that pass the check below.
  int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat st;
  if (fd == -1 || fstat(fd, &st) == -1) {
    warn("%s", path);
    if (fd != -1) close(fd);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    warnx("%s: not a regular file", path);
    close(fd);
    return false;
  }
  if (st.st_size >= 2147483648LL) {
    warnx("%s: too large", path);
    close(fd);
    return false;
  }
  void* p = mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ,
                 MAP_SHARED, fd, 0);
  if (p == MAP_FAILED) {
    warn("%s", path);
    close(fd);
    return false;
  }
  in.fd = fd;
  in.addr = static_cast<const char*>(p);
  in.len = static_cast<size_t>(st.st_size);
  return true;
}

void begin_pass(XML_Parser parser, void* state, bool foreign_dtd) {
  XML_ParserReset(parser, nullptr);
  XML_SetUserData(parser, state);
  if (foreign_dtd) XML_UseForeignDTD(parser, XML_TRUE);
}

bool run_pass(XML_Parser parser, const char* path, const mapped_input& in) {
  // Expat copies every document into a buffer of its own before parsing
  // it.  Making that copy here, a slice at a time, lets the pages already
  // copied leave memory, so a document is held once, not twice.
  char* buf = static_cast<char*>(XML_GetBuffer(parser, static_cast<int>(in.len)));
  if (!buf) errx(1, "Cannot allocate memory");
  constexpr size_t kSlice = size_t{1} << 20;
  for (size_t off = 0; off < in.len; off += kSlice) {
    size_t n = std::min(kSlice, in.len - off);
    std::memcpy(buf + off, in.addr + off, n);
    if (in.len > kSlice)
      madvise(const_cast<char*>(in.addr) + off, n, MADV_DONTNEED);
  }
  if (XML_ParseBuffer(parser, static_cast<int>(in.len), XML_TRUE) ==
      XML_STATUS_OK)
    return true;
  // Expat running out of memory is the same failure as ours.
  if (XML_GetErrorCode(parser) == XML_ERROR_NO_MEMORY)
    errx(1, "Cannot allocate memory");
  warn_at(parser, path, "%s", XML_ErrorString(XML_GetErrorCode(parser)));
  return false;
}

void warn_at(XML_Parser parser, const char* path, const char* fmt, ...) {
  char buf[1024];
  va_list ap;
  va_start(ap, fmt);
  vsnprintf(buf, sizeof buf, fmt, ap);
  va_end(ap);
  warnx("%s:%zu:%zu: %s", path,
        static_cast<size_t>(XML_GetCurrentLineNumber(parser)),
        static_cast<size_t>(XML_GetCurrentColumnNumber(parser)), buf);
}
