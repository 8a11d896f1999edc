#include "markup/writer.h"

#include <cassert>
#include <cerrno>
#include <cstring>
#include <err.h>
#include <fcntl.h>
#include <unistd.h>

Writer::~Writer() {
  // Bytes still buffered here would be lost: every path that writes must
  // close its writer and look at the result.
  assert(len_ == 0 && "a writer with pending bytes was not closed");
  if (owned_) ::close(fd_);
}

bool Writer::open(const std::string& name) {
  if (name == "-") {
    fd_ = 1;
    name_ = "standard output";
    return true;
  }
  int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  fd_ = fd;
  owned_ = true;
  name_ = name;
  return true;
}

void Writer::open_string(std::string* s) {
  str_ = s;
  name_ = "string";
}

void Writer::sink(const char* p, size_t n) {
  if (str_) {
    str_->append(p, n);
    return;
  }
  while (n > 0 && error_ == 0) {
    ssize_t w = ::write(fd_, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
    } else {
      p += w;
      n -= static_cast<size_t>(w);
    }
  }
}

void Writer::flush() {
  sink(buf_, len_);
  len_ = 0;
}

void Writer::write_slow(const char* p, size_t n) {
  flush();
  if (n >= sizeof buf_) {
    sink(p, n);
  } else {
    std::memcpy(buf_, p, n);
    len_ = n;
  }
}

bool Writer::close() {
  flush();
  if (owned_ && ::close(fd_) != 0 && error_ == 0) error_ = errno;
  owned_ = false;
  fd_ = -1;
  if (error_ != 0) {
    errno = error_;
    return false;
  }
  return true;
}

bool open_output(Writer& f, const std::string& name) {
  if (f.open(name)) return true;
  warn("%s", name.c_str());
  return false;
}

bool close_output(Writer& f) {
  if (f.close()) return true;
  warn("%s", f.display_name().c_str());
  return false;
}
