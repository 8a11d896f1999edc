#include "markup/writer.h"

#include <cassert>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "base/diagnostics.h"
#include "base/input.h"

Writer::~Writer() {
  // Bytes still buffered here would be lost: every path that writes must
  // close (or discard) its writer and look at the result.
  assert(len_ == 0 && "a writer with pending bytes was not closed");
  discard_output_file(file_);
}

bool Writer::open(const std::string& name) {
  if (!open_output_file(name, file_)) return false;
  name_ = name == "-" ? "standard output" : name;
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
    ssize_t w = ::write(file_.fd, p, n);
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
  if (error_ != 0) {
    discard_output_file(file_);
  } else if (!commit_output_file(file_)) {
    error_ = errno;
  }
  if (error_ != 0) {
    errno = error_;
    return false;
  }
  return true;
}

void Writer::discard() {
  len_ = 0;
  discard_output_file(file_);
}

bool open_output(Writer& f, const std::string& name) {
  struct stat st;
  if (name != "-" && stat(name.c_str(), &st) == 0 && is_run_input(st)) {
    report("%s: would overwrite an input", name.c_str());
    return false;
  }
  if (f.open(name)) return true;
  report_errno("%s", name.c_str());
  return false;
}

bool close_output(Writer& f, bool ok) {
  if (!ok && f.replaces_file()) {
    f.discard();
    return false;
  }
  if (f.close()) return ok;
  report_errno("%s", f.display_name().c_str());
  return false;
}
