#include "cli/cmdline.h"

#include <cerrno>
#include <cstdio>
#include <getopt.h>
#include <unistd.h>


namespace {

// The value getopt_long returns for --version, which has no short form.
constexpr int kLongVersion = 0x100;

constexpr struct option kLongOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kLongVersion},
    {nullptr, 0, nullptr, 0},
};

}  // namespace

parse_result parse_options(int argc, char** argv, options& opts) {
  // getopt prints its own diagnostics with argv[0]: make that the short
  // program name.  The leading "+" stops at the first operand, so a later
  // "-x" is a file name.
  char* argv0 = argv[0];
  argv[0] = program_invocation_short_name;
  optind = 0;
  int c;
  parse_result result = PARSE_RUN;
  while (result == PARSE_RUN &&
         (c = getopt_long(argc, argv, "+acjlLrC:o:s:t:Vh", kLongOptions,
                          nullptr)) != -1) {
    switch (c) {
      case 'a': opts.mode = run_mode::atom_feed; break;
      case 'c': opts.mode = run_mode::article_page; break;
      case 'l':
        if (opts.mode == run_mode::tag_listing) opts.repeated = true;
        opts.mode = run_mode::tag_listing;
        break;
      case 'L': opts.mode = run_mode::pages_per_article; break;
      case 'j': opts.json = true; break;
      case 'r': opts.reverse = true; break;
      case 'C': opts.current = optarg; break;
      case 'o': opts.output = optarg; break;
      case 't': opts.templ = optarg; break;
      case 's':
        if (!sort_parse(optarg, opts.order)) result = PARSE_USAGE;
        break;
      case 'V': result = PARSE_VERSION; break;
      case 'h': result = PARSE_HELP; break;
      case kLongVersion: result = PARSE_VERSION_STDOUT; break;
      default: result = PARSE_USAGE; break;
    }
  }
  argv[0] = argv0;
  if (result != PARSE_RUN) return result;
  if (optind >= argc) return PARSE_USAGE;
  opts.first_operand = optind;
  if (opts.json && (opts.mode == run_mode::blog_page ||
                    opts.mode == run_mode::atom_feed))
    opts.mode = run_mode::json_export;
  if (opts.json) opts.repeated = false;
  return PARSE_RUN;
}

void print_usage(std::FILE* to) {
  const char* p = program_invocation_short_name;
  std::fprintf(to,
               "usage: %s [-o file] [-t templ] -c file...\n"
               "       %s [-o file] [-t templ] [-s sort] -a file...\n"
               "       %s [-jlr] -l file...\n"
               "       %s [-t templ] [-s sort] -L file...\n"
               "       %s [-o file] [-s sort] -j file...\n"
               "       %s [-o file] [-t templ] [-s sort] -C name file...\n"
               "       %s [-o file] [-t templ] [-s sort] file...\n"
               "       %s -V | --version\n"
               "       %s -h | --help\n",
               p, p, p, p, p, p, p, p, p);
}
