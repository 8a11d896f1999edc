// The command line: options, mode choice, the usage text and --help.
#ifndef VORN_CLI_CMDLINE_H_
#define VORN_CLI_CMDLINE_H_

#include <cstdio>

#include "articles/request.h"
#include "articles/sort.h"
#include "cli/modes.h"

// What the options said.
struct options {
  run_mode mode = run_mode::blog_page;
  bool json = false;      // -j
  bool reverse = false;   // -r
  bool repeated = false;  // a second -l while the mode is the tag listing
  const char* templ = nullptr;    // -t
  const char* output = nullptr;   // -o
  const char* current = nullptr;  // -C
  sort_order by = sort_order::date;  // -s
  int first_operand = 0;          // index of the first operand in argv
};

enum parse_result {
  PARSE_RUN,
  PARSE_USAGE,           // the usage text on standard error, status 1
  PARSE_VERSION,         // -V: the version line on standard error
  PARSE_HELP,            // -h, --help: the help on standard output
  PARSE_VERSION_STDOUT,  // --version: the version line on standard output
};

// Reads the options of ARGV into OPTS.  Options end at the first operand
// or at "--".  PARSE_USAGE for a bad option, an unknown sort name (after
// reporting "unknown sort order 'NAME'") or no operands; -V, -h, --help
// and --version end option reading at once, with or without operands.
// Long options may be cut to any unambiguous beginning ("--vers").  The
// mode is resolved on PARSE_RUN.
parse_result parse_options(int argc, char** argv, options& opts);

// The request of a run that parse_options accepted: the operands of ARGV
// and the options, with the mode's defaults where no -t or -o was given.
request make_request(const options& opts, int argc, char** argv);

// Prints the usage text to TO.
void print_usage(std::FILE* to = stderr);

// Prints the usage text and a line for each option to TO.
void print_help(std::FILE* to);

#endif  // VORN_CLI_CMDLINE_H_
