// vorn: a generator of static web pages from XHTML articles and templates.
// main() reads the options and hands the request to the builder that the
// table of modes (modes.h) names for the chosen mode.

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <new>
#include <unistd.h>

#include <expat.h>

#include "markup/output_file.h"
#include "cli/cmdline.h"
#include "cli/modes.h"
#include "base/dates.h"
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
        print_help(stdout);
        return finish_stdout();
      case PARSE_USAGE:
        print_usage();
        return 1;
      case PARSE_RUN:
        break;
    }
    if (!load_source_date_epoch()) return 1;
    std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(
        XML_ParserCreate(nullptr), XML_ParserFree);
    if (!parser) {
      report_errno("XML_ParserCreate");
      return 1;
    }
    bool ok = mode_of(o.mode).build(parser.get(), make_request(o, argc, argv));
    return ok ? 0 : 1;
  } catch (const std::bad_alloc&) {
    out_of_memory();
  }
}
