// The messages of a run: the one way vorn reports, from any thread.  Every
// message is one line on standard error: the program's name, ": " and the
// text.  A thread that reads inputs for a run on several threads holds its
// messages instead, so that they can be printed in the order of the
// inputs, exactly as one thread would have printed them.  Nothing else in
// src/ writes to standard error but the usage text and the version line
// (tests/layout/check-reporting).
#ifndef VORN_BASE_DIAGNOSTICS_H_
#define VORN_BASE_DIAGNOSTICS_H_

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Reports the formatted text.
void report(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Reports the formatted text, ": " and the system's text for errno.
void report_errno(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Reports the formatted text only the first time this run reports KEY.
void report_once(const std::string& key, const char* fmt, ...)
    __attribute__((format(printf, 2, 3)));

// TEXT as a message quotes a value from an input: in double quotes, on
// one line, with '"' and '\' escaped by a backslash and control
// characters written \n, \t or \xHH; a text longer than 60 bytes is cut
// there, at the start of a character, and "..." follows the quote.
std::string in_quotes(std::string_view text);

// Ends the program at once, from any thread, with status 1 after
// reporting "Cannot allocate memory": what cannot get memory cannot go on.
// Whatever was registered with at_fatal_exit runs first.
[[noreturn]] void out_of_memory();

// Registers F (at most one) to run before out_of_memory ends the program:
// it must be safe to run from any thread, at any point.
void at_fatal_exit(void (*f)());

// Messages held while a thread reads one input.
class held_messages {
 public:
  // Prints them in the order they were reported, and forgets them; a
  // message reported once per key is printed only if its key is new.
  void release();

 private:
  friend void hold(const std::string& key, std::string line);
  std::vector<std::pair<std::string, std::string>> lines_;  // key, line
};

// While it lives, the calling thread's messages are held in MESSAGES.
class holding_messages {
 public:
  explicit holding_messages(held_messages& messages);
  ~holding_messages();
  holding_messages(const holding_messages&) = delete;
  holding_messages& operator=(const holding_messages&) = delete;

 private:
  held_messages* previous_;
};

#endif  // VORN_BASE_DIAGNOSTICS_H_
