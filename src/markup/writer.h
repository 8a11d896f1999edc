// Buffered output to a file, to standard output or to a string.
//
// Every output of vorn goes through one Writer.  Write errors are not
// reported where they happen: the first one is remembered, later writes
// are dropped, and close() returns false with errno set to it, so that a
// builder can report the failure once, after any other message about the
// same output.  A file replaces the previous one only when close()
// succeeds (see output_file.h); discard() leaves the previous one alone.
#ifndef VORN_MARKUP_WRITER_H_
#define VORN_MARKUP_WRITER_H_

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "markup/output_file.h"

class Writer {
 public:
  Writer() = default;
  ~Writer();
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  // Opens NAME for writing; "-" is standard output.  Returns false with
  // errno set when the file cannot be written.
  bool open(const std::string& name);
  // Makes the writer append to *S instead of a file (used by tests).
  void open_string(std::string* s);

  void write(const char* p, size_t n) {
    if (n <= sizeof buf_ - len_) {
      if (n) std::memcpy(buf_ + len_, p, n);
      len_ += n;
    } else {
      write_slow(p, n);
    }
  }
  void write(std::string_view s) { write(s.data(), s.size()); }
  void put(char c) {
    if (len_ == sizeof buf_) flush();
    buf_[len_++] = c;
  }

  // Writes out the buffer, closes the file unless it is standard output
  // and puts it in place; returns false with errno set if any write, the
  // close or the renaming failed, and then leaves the previous file.
  bool close();

  // Drops what was written: the previous file stays as it was.
  void discard();

  // True when the output goes to a temporary file that replaces a file
  // only at close(); false for standard output, devices and the like,
  // whose bytes go out as they are written.
  bool replaces_file() const { return !file_.temp.empty(); }

  // The name to use in messages: the file name or "standard output".
  const std::string& display_name() const { return name_; }

 private:
  void write_slow(const char* p, size_t n);
  void flush();
  void sink(const char* p, size_t n);

  output_file file_;
  std::string* str_ = nullptr;
  int error_ = 0;
  std::string name_;
  size_t len_ = 0;
  char buf_[1 << 16];
};

// Opens NAME into F; on failure reports "NAME: system error", or "NAME:
// would overwrite an input" when NAME is a file this run reads, and
// returns false.
bool open_output(Writer& f, const std::string& name);

// With OK, closes F and puts it in place; when a write, the close or the
// renaming failed, reports "NAME: system error" (NAME as in display_name)
// and returns false.  Without OK, returns false after discarding F, so
// that the previous file stays; what went to standard output or a device
// is closed as with OK.
bool close_output(Writer& f, bool ok = true);

#endif  // VORN_MARKUP_WRITER_H_
