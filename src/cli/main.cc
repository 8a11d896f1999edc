// vorn: a generator of static web pages from XHTML articles and templates.
// main() reads the options and hands the operands to the one builder that
// serves the chosen mode.

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <new>
#include <unistd.h>

#include <expat.h>

#include "builders/article_page.h"
#include "builders/blog_page.h"
#include "feeds/atom_feed.h"
#include "feeds/json_export.h"
#include "feeds/tag_listing.h"
#include "markup/output_file.h"
#include "cli/cmdline.h"
#include "base/diagnostics.h"
#include "base/input.h"
#include "base/version.h"

namespace {

// Ends a run that printed only to standard output: status 0, or 1 after
// reporting that the text could not be written.
int finish_stdout() {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
  report_errno("standard output");
  return 1;
}

int run(const options& o, XML_Parser parser, int count, char** inputs) {
  auto name = [](const char* given, const char* fallback) {
    return given ? given : fallback;
  };
  switch (o.mode) {
    case run_mode::json_export:
      return write_json(parser, count, inputs, name(o.output, "blog.json"),
                        o.order);
    case run_mode::tag_listing:
      return list_tags(parser, count, inputs, o.json, o.reverse, o.repeated);
    case run_mode::article_page: {
      // With several inputs every page is named after its input; the
      // first failure ends the run.
      const char* templ = name(o.templ, "article-template.xml");
      if (count == 1)
        return build_article_page(parser, templ, inputs[0], o.output);
      // No page may replace an input that a later page reads.
      for (int i = 0; i < count; ++i) protect_input(inputs[i]);
      for (int i = 0; i < count; ++i)
        if (!build_article_page(parser, templ, inputs[i], nullptr))
          return false;
      return true;
    }
    case run_mode::pages_per_article:
      return build_standalone_pages(parser, name(o.templ, "blog-template.xml"),
                                    count, inputs, o.order);
    case run_mode::blog_page:
      return build_blog_page(parser, name(o.templ, "blog-template.xml"),
                             o.current, count, inputs,
                             name(o.output, "blog.html"), o.order);
    case run_mode::atom_feed:
      return build_atom_feed(parser, name(o.templ, "atom-template.xml"),
                             count, inputs, name(o.output, "atom.xml"),
                             o.order);
  }
  return false;
}

// A descriptor 0, 1 or 2 closed by the caller is opened on /dev/null, so
// that no file vorn opens takes its place: diagnostics written to
// descriptor 2 must never land in a page.
void open_standard_descriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    int null = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (null != fd) _exit(1);  // nowhere to say so
  }
}

// Takes the locale from the environment for the categories vorn consults:
// character classes and encoding (LC_CTYPE), dates (LC_TIME, strftime and
// strptime) and system error messages (LC_MESSAGES).  The other nine
// categories affect nothing vorn prints, and loading their files would
// cost every process about a millisecond, much of the run of `-c` on one
// page.
void set_locale_from_environment() {
  for (int category : {LC_CTYPE, LC_TIME, LC_MESSAGES}) setlocale(category, "");
}

}  // namespace

int main(int argc, char** argv) {
  open_standard_descriptors();
  remove_temporary_files_on_signals();
  std::set_new_handler(out_of_memory);
  try {
    set_locale_from_environment();
    options o;
    switch (parse_options(argc, argv, o)) {
      case PARSE_VERSION:
        std::fprintf(stderr, "vorn-%s\n", kVersion);
        return 0;
      case PARSE_VERSION_STDOUT:
        std::printf("vorn-%s\n", kVersion);
        return finish_stdout();
      case PARSE_HELP:
        print_usage(stdout);
        return finish_stdout();
      case PARSE_USAGE:
        print_usage();
        return 1;
      case PARSE_RUN:
        break;
    }
    std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(
        XML_ParserCreate(nullptr), XML_ParserFree);
    if (!parser) {
      report_errno("XML_ParserCreate");
      return 1;
    }
    bool ok = run(o, parser.get(), argc - o.first_operand,
                  argv + o.first_operand);
    return ok ? 0 : 1;
  } catch (const std::bad_alloc&) {
    out_of_memory();
  }
}
