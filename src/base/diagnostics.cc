#include "base/diagnostics.h"

#include <cerrno>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <unordered_set>

namespace {

thread_local held_messages* holding = nullptr;

// The keys of the messages printed once per run; only the thread that
// prints touches them.
std::unordered_set<std::string>& reported_keys() {
  static std::unordered_set<std::string> keys;
  return keys;
}

std::string format(const char* fmt, va_list ap) {
  va_list copy;
  va_copy(copy, ap);
  int n = std::vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  std::string text(n > 0 ? static_cast<size_t>(n) : 0, '\0');
  if (n > 0) std::vsnprintf(text.data(), text.size() + 1, fmt, ap);
  return text;
}

std::string line_of(std::string text) {
  return std::string(program_invocation_short_name) + ": " + text + "\n";
}

void print(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace

void hold(const std::string& key, std::string line) {
  holding->lines_.emplace_back(key, std::move(line));
}

namespace {

void emit(const std::string& key, std::string line) {
  if (holding) {
    hold(key, std::move(line));
    return;
  }
  if (key.empty() || reported_keys().insert(key).second) print(line);
}

}  // namespace

void held_messages::release() {
  for (const auto& [key, line] : lines_)
    if (key.empty() || reported_keys().insert(key).second) print(line);
  lines_.clear();
}

holding_messages::holding_messages(held_messages& messages)
    : previous_(holding) {
  holding = &messages;
}

holding_messages::~holding_messages() { holding = previous_; }

namespace {
std::atomic<void (*)()> fatal_hook{nullptr};
}  // namespace

void at_fatal_exit(void (*f)()) { fatal_hook = f; }

void out_of_memory() {
  static const char kMessage[] = ": Cannot allocate memory\n";
  if (void (*f)() = fatal_hook.load()) f();
  // Written without allocating, and ended without running destructors
  // that other threads may still need.
  ssize_t ignored = write(2, program_invocation_short_name,
                          std::strlen(program_invocation_short_name));
  ignored = write(2, kMessage, sizeof kMessage - 1);
  (void)ignored;
  _exit(1);
}

void report(const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  std::string text = format(fmt, ap);
  va_end(ap);
  emit("", line_of(std::move(text)));
}

void report_errno(const char* fmt, ...) {
  int e = errno;
  va_list ap;
  va_start(ap, fmt);
  std::string text = format(fmt, ap);
  va_end(ap);
  emit("", line_of(text + ": " + std::strerror(e)));
}

void report_once(const std::string& key, const char* fmt, ...) {
  va_list ap;
  va_start(ap, fmt);
  std::string text = format(fmt, ap);
  va_end(ap);
  emit(key, line_of(std::move(text)));
}

std::string in_quotes(std::string_view text) {
  constexpr size_t kLongest = 60;
  bool cut = text.size() > kLongest;
  if (cut) {
    size_t n = kLongest;
    // Not inside a UTF-8 sequence: back to the byte that starts it.
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xc0) == 0x80) --n;
    text = text.substr(0, n);
  }
  std::string out = "\"";
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u == 0x7f) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", u);
      out += buf;
    } else {
      out += c;
    }
  }
  out += '"';
  if (cut) out += "...";
  return out;
}
