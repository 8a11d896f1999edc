// What every fuzz harness shares: a private scratch directory in which the
// fuzzed documents become files and vorn's builders run, a quiet standard
// error, and the layout of a fuzz input.
//
// An input is one or two documents followed by one option byte that picks
// the harness's variant (sort order, output form, mode).  A two-document
// input separates them with kPairSeparator.  Each harness reads its input
// through a fuzz_run, which enters the scratch directory for the duration
// of the call and empties it afterwards, so outputs never accumulate and
// nothing is written outside it.
#ifndef VORN_FUZZ_HARNESS_H_
#define VORN_FUZZ_HARNESS_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <expat.h>

#include "articles/sort.h"

// Between the template and the article of a two-document input.
inline constexpr std::string_view kPairSeparator = "\n%%%%\n";

// One run of a harness over one input.  Construction makes the scratch
// directory on first use (under $TMPDIR, else /dev/shm, else /tmp; removed
// at exit, or after a crash by the next harness process), enters it, sends vorn's messages on standard error to
// /dev/null (unless VORN_FUZZ_STDERR is set) and creates the parser of the
// run; destruction undoes all of it and removes every file the run left.
// Sanitizer reports, assertion failures and libFuzzer's own output still
// reach the real standard error: only the stdio stream the builders report
// through is swapped.
class fuzz_run {
 public:
  fuzz_run(const uint8_t* data, size_t size);
  ~fuzz_run();
  fuzz_run(const fuzz_run&) = delete;
  fuzz_run& operator=(const fuzz_run&) = delete;

  // False for an input too short to hold the option byte: nothing to run.
  bool usable() const { return usable_; }
  uint8_t options() const { return options_; }
  // The input without its option byte.
  std::string_view document() const { return doc_; }
  // The two documents of a paired input: everything before the first
  // separator and everything after it (empty when there is none).
  std::string_view first() const;
  std::string_view second() const;

  XML_Parser parser() const { return parser_.get(); }

 private:
  bool usable_ = false;
  uint8_t options_ = 0;
  std::string_view doc_;
  std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser_;
};

// The sort order that the option value N picks.
inline sort_order order_of(unsigned n) {
  return static_cast<sort_order>(n % kSortCount);
}

// Writes CONTENT to the file NAME of the scratch directory (the current
// directory during a fuzz_run).
void put_file(const char* name, std::string_view content);

// Makes the folder NAME in the scratch directory.
void make_folder(const char* name);

// Reads the articles of INPUTS as vorn does and appends their source names
// to NAMES in reading order; false when an input fails to read.
bool source_names(XML_Parser parser, std::span<char* const> inputs,
                  std::vector<std::string>& names);

// True when the page that -L names after the source name NAME stays in
// the current directory: NAME is not absolute and has no ".." component.
// An input can otherwise make -L write anywhere.
bool stays_inside(std::string_view name);

#endif  // VORN_FUZZ_HARNESS_H_
