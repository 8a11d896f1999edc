// Input documents: opening and reading a file, running one Expat pass
// over it, and reporting problems with the file's name (and, for XML
// errors, the line and column).  Also the pieces every pass shares: the
// nesting counter and the text handlers.
#ifndef VORN_BASE_INPUT_H_
#define VORN_BASE_INPUT_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/stat.h>

#include <expat.h>

// An input document opened for one pass: a regular file smaller than
// 2^31 bytes.  It is read with read(2) in slices straight into Expat's
// buffer while it is parsed, so the parser's copy is the only one, and a
// file that another process changes meanwhile cannot harm the run.
struct input_file {
  int fd = -1;
  int64_t size = 0;   // bytes when it was opened
  int64_t ctime = 0;  // status-change time when it was opened

  input_file() = default;
  ~input_file();
  input_file(const input_file&) = delete;
  input_file& operator=(const input_file&) = delete;
};

// Opens PATH into IN.  On failure reports "PATH: reason" on standard error
// and returns false, leaving IN closed.  Files must be regular and smaller
// than 2^31 bytes; an empty file is refused as an invalid argument.  The
// file is noted as an input of the run (see is_run_input).
bool open_input(const char* path, input_file& in);

// Reads the whole file at PATH into BYTES, with the checks of open_input.
bool read_input(const char* path, std::string& bytes);

// Notes the file at PATH, if there is one, as an input of the run before
// it is read (a template whose output is opened first).
void protect_input(const char* path);

// True when the file that ST describes is one that this run reads or has
// read: no output may replace it.
bool is_run_input(const struct stat& st);

// Resets the shared parser for a new document pass: no handlers survive
// from the pass before.  STATE becomes the handlers' user data.  With
// FOREIGN_DTD, references to undeclared entities (such as nbsp) reach the
// skipped-entity handler instead of failing; no external document is ever
// read either way.
void begin_pass(XML_Parser parser, void* state, bool foreign_dtd);

// Parses the whole document, read slice by slice from IN (or held in
// BYTES).  On an XML error, or when the file cannot be read, reports
// "PATH:LINE:COLUMN: message" (or "PATH: reason") and returns false.
bool run_pass(XML_Parser parser, const char* path, input_file& in);
bool run_pass(XML_Parser parser, const char* path, std::string_view bytes);

// Prints "PATH:LINE:COLUMN: message" with the parser's current position.
// The message is cut at 1023 bytes.
void warn_at(XML_Parser parser, const char* path, const char* fmt, ...)
    __attribute__((format(printf, 3, 4)));

// The same, only the first time this run reports KEY (report_once).
void warn_once_at(const std::string& key, XML_Parser parser, const char* path,
                  const char* fmt, ...) __attribute__((format(printf, 4, 5)));

// The same at a position noted earlier (the parser's numbering: lines
// from 1, columns from 0).
void warn_at_position(const char* path, size_t line, size_t column,
                      const char* fmt, ...)
    __attribute__((format(printf, 4, 5)));

// Counts the open elements named like the element that opened a region of
// a document (an article, an article slot, a navigation element, an entry
// slot), so that the region ends at its own end tag and not at a nested
// one of the same name.
struct nesting {
  std::string tag;   // the opening element's name; empty while closed
  size_t depth = 0;  // open elements named TAG, the opening one included

  bool is_open() const { return depth > 0; }
  void open(const char* name) {
    tag = name;
    depth = 1;
  }
  // Counts the start of an element inside the region.
  void enter(const char* name) {
    if (tag == name) ++depth;
  }
  // Counts the end of an element; true when it closes the region, which
  // is then closed.
  bool leave(const char* name) {
    if (tag != name || --depth > 0) return false;
    tag.clear();
    return true;
  }
};

// The text and undeclared-entity handlers of a pass whose state takes
// text with a member text(const char*, size_t): character data and other
// markup reach it raw, as written, and a reference to an entity that no
// declaration defines reaches it as "&NAME;", unchanged.
template <class State>
void XMLCALL pass_text(void* data, const char* text, int len) {
  if (len > 0) static_cast<State*>(data)->text(text, static_cast<size_t>(len));
}

template <class State>
void XMLCALL pass_skipped_entity(void* data, const char* name, int) {
  State& s = *static_cast<State*>(data);
  s.text("&", 1);
  s.text(name, std::strlen(name));
  s.text(";", 1);
}

#endif  // VORN_BASE_INPUT_H_
