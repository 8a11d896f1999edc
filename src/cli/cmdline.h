// The command line: options, mode choice and the usage text.
#ifndef VORN_CLI_CMDLINE_H_
#define VORN_CLI_CMDLINE_H_

#include <cstdio>

#include "articles/sort.h"

// What vorn writes, named after what each option builds.  The last of -a,
// -c, -l and -L wins; -j turns the default mode and -a into the JSON
// export.
enum class run_mode {
  atom_feed,          // -a
  article_page,       // -c: a page per article file
  blog_page,          // default: the blog page (-C: one article's page)
  tag_listing,        // -l
  pages_per_article,  // -L: a blog page per article
  json_export,        // -j with the default mode or -a
};

struct options {
  run_mode mode = run_mode::blog_page;
  bool json = false;      // -j
  bool reverse = false;   // -r
  bool repeated = false;  // a second -l while the mode is the tag listing
  const char* templ = nullptr;    // -t
  const char* output = nullptr;   // -o
  const char* current = nullptr;  // -C
  sort_order order = sort_order::date;  // -s
  int first_operand = 0;          // index of the first operand in argv
};

enum parse_result {
  PARSE_RUN,
  PARSE_USAGE,           // the usage text on standard error, status 1
  PARSE_VERSION,         // -V: the version line on standard error
  PARSE_HELP,            // -h, --help: the usage text on standard output
  PARSE_VERSION_STDOUT,  // --version: the version line on standard output
};

// Reads the options of ARGV into OPTS.  Options end at the first operand
// or at "--".  PARSE_USAGE for a bad option, an unknown sort name or no
// operands; -V, -h, --help and --version end option reading at once, with
// or without operands.  Long options may be cut to any unambiguous
// beginning ("--vers").  The mode is resolved on PARSE_RUN.
parse_result parse_options(int argc, char** argv, options& opts);

// Prints the usage text to TO.
void print_usage(std::FILE* to = stderr);

#endif  // VORN_CLI_CMDLINE_H_
