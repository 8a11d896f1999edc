// Input documents: mapping a file read-only into memory, running one Expat
// pass over it, and reporting problems with the file's name (and, for XML
// errors, the line and column).  Also the pieces every pass shares: the
// nesting counter and the text handlers.
#ifndef VORN_STARTUP_INPUT_H_
#define VORN_STARTUP_INPUT_H_

#include <cstddef>
#include <cstring>
#include <string>

#include <expat.h>

// A read-only mapping of a whole regular file.  Unmapped and closed when it
// goes out of scope.
struct mapped_input {
  int fd = -1;
  const char* addr = nullptr;
  size_t len = 0;

  mapped_input() = default;
  ~mapped_input();
  mapped_input(const mapped_input&) = delete;
  mapped_input& operator=(const mapped_input&) = delete;
};

// Maps PATH into IN.  On failure reports "PATH: reason" on standard error
// and returns false, leaving IN empty.  Files must be regular and smaller
// than 2^31 bytes; an empty file cannot be mapped.
bool map_input(const char* path, mapped_input& in);

// Resets the shared parser for a new document pass: no handlers survive
// from the pass before.  STATE becomes the handlers' user data.  With
// FOREIGN_DTD, references to undeclared entities (such as nbsp) reach the
// skipped-entity handler instead of failing; no external document is ever
// read either way.
void begin_pass(XML_Parser parser, void* state, bool foreign_dtd);

// Parses the whole mapped document in one call.  On an XML error reports
// "PATH:LINE:COLUMN: message" and returns false.
bool run_pass(XML_Parser parser, const char* path, const mapped_input& in);

// Prints "PATH:LINE:COLUMN: message" with the parser's current position.
// The message is cut at 1023 bytes.
void warn_at(XML_Parser parser, const char* path, const char* fmt, ...)
    __attribute__((format(printf, 3, 4)));

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

#endif  // VORN_STARTUP_INPUT_H_
