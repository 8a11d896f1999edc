// Input documents: mapping a file read-only into memory, running one Expat
// pass over it, and reporting problems with the file's name (and, for XML
// errors, the line and column).
#ifndef VORN_STARTUP_INPUT_H_
#define VORN_STARTUP_INPUT_H_

#include <cstddef>
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

#endif  // VORN_STARTUP_INPUT_H_
