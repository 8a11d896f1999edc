// The modes of vorn, in one table: for each, the option that selects it,
// its lines of the usage text, what --help says of it, its default
// template and output, and the builder that writes its output.  The usage
// text, --help, the defaults and the dispatch in main() all come from the
// table, and so do fuzz/extract-seeds' option letters and default
// templates (it reads the VORN_MODE rows of modes.cc).
#ifndef VORN_CLI_MODES_H_
#define VORN_CLI_MODES_H_

#include <span>

#include <expat.h>

#include "articles/request.h"

// What vorn writes, named after what each mode builds.  The last of -a,
// -c, -l and -L wins; -j turns the default mode and -a into the JSON
// export.
enum class run_mode {
  article_page,      // -c: a page per article file
  atom_feed,         // -a
  tag_listing,       // -l
  standalone_pages,  // -L: a blog page per article, named after it (the
                     // standalone pages)
  json_export,       // -j with the default mode or -a
  blog_page,         // the default: the blog page (-C: one article's page)
};

struct mode_def {
  run_mode mode;
  // The option that selects the mode; 0 for the default mode.  -j is a
  // flag that selects the JSON export only with the default mode or -a.
  char letter;
  // Its lines of the usage text, each after the program's name; a mode
  // with more than one separates them with '\n'.
  const char* usage;
  // What it writes, for --help.
  const char* help;
  // The template and output used when -t and -o give none; null where the
  // mode uses no template, or names its outputs itself.
  const char* templ;
  const char* output;
  bool (*build)(XML_Parser parser, const request& r);
};

// Every mode, in the order of the usage text.
std::span<const mode_def> all_modes();

// The row of MODE.
const mode_def& mode_of(run_mode mode);

#endif  // VORN_CLI_MODES_H_
