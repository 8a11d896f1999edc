#include "cli/cmdline.h"

#include <cerrno>
#include <cstdio>
#include <getopt.h>
#include <string>
#include <unistd.h>

#include "base/diagnostics.h"

namespace {

// The value getopt_long returns for --version, which has no short form.
constexpr int kLongVersion = 0x100;

constexpr struct option kLongOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kLongVersion},
    {nullptr, 0, nullptr, 0},
};

// The options that select no mode, for the getopt string and --help.
struct option_def {
  char letter;
  const char* arg;  // the argument's name, or null
  const char* help;
};

constexpr option_def kOptions[] = {
    {'r', nullptr, "with -l: by tag; -l -l: a line each; -l -j: in brackets"},
    {'C', "name", "the blog page of the article whose source is name"},
    {'o', "file", "write to file (\"-\": standard output)"},
    {'s', "sort", "the order of the articles: one of those below"},
    {'t', "templ", "the template"},
    {'V', nullptr, "print the version on standard error"},
    {'h', nullptr, "print this help on standard output"},
};

// The getopt string: "+" (options end at the first operand), the letters
// of the modes, then the other options.
const std::string& getopt_string() {
  static const std::string letters = [] {
    std::string s = "+";
    for (const mode_def& m : all_modes())
      if (m.letter) s += m.letter;
    for (const option_def& o : kOptions) {
      s += o.letter;
      if (o.arg) s += ':';
    }
    return s;
  }();
  return letters;
}

// The mode that the option C selects, if it selects one.
const mode_def* mode_letter(int c) {
  for (const mode_def& m : all_modes())
    if (m.letter == c) return &m;
  return nullptr;
}

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
         (c = getopt_long(argc, argv, getopt_string().c_str(), kLongOptions,
                          nullptr)) != -1) {
    switch (c) {
      case 'j': opts.json = true; break;
      case 'l':
        if (opts.mode == run_mode::tag_listing) opts.repeated = true;
        opts.mode = run_mode::tag_listing;
        break;
      case 'r': opts.reverse = true; break;
      case 'C': opts.current = optarg; break;
      case 'o': opts.output = optarg; break;
      case 't': opts.templ = optarg; break;
      case 's':
        if (!sort_parse(optarg, opts.by)) {
          report("unknown sort order '%s'", optarg);
          result = PARSE_USAGE;
        }
        break;
      case 'V': result = PARSE_VERSION; break;
      case 'h': result = PARSE_HELP; break;
      case kLongVersion: result = PARSE_VERSION_STDOUT; break;
      default:
        if (const mode_def* m = mode_letter(c))
          opts.mode = m->mode;
        else
          result = PARSE_USAGE;
        break;
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

request make_request(const options& opts, int argc, char** argv) {
  const mode_def& m = mode_of(opts.mode);
  request r;
  r.inputs = {argv + opts.first_operand,
              static_cast<size_t>(argc - opts.first_operand)};
  r.templ = opts.templ ? opts.templ : m.templ;
  r.output = opts.output ? opts.output : m.output;
  r.current = opts.current;
  r.by = opts.by;
  r.json = opts.json;
  r.reverse = opts.reverse;
  r.repeated = opts.repeated;
  return r;
}

void print_usage(std::FILE* to) {
  const char* p = program_invocation_short_name;
  const char* lead = "usage:";
  auto line = [&](const char* text, size_t n) {
    std::fprintf(to, "%-6s %s %.*s\n", lead, p, static_cast<int>(n), text);
    lead = "";
  };
  for (const mode_def& m : all_modes()) {
    std::string_view u = m.usage;
    for (size_t nl; (nl = u.find('\n')) != std::string_view::npos;
         u.remove_prefix(nl + 1))
      line(u.data(), nl);
    line(u.data(), u.size());
  }
  line("-V | --version", 14);
  line("-h | --help", 11);
}

void print_help(std::FILE* to) {
  print_usage(to);
  auto row = [to](const std::string& option, std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    std::fprintf(to, "  %-12s %s\n", option.c_str(), text.c_str());
  };
  std::fputs("\nmodes          writes                         by default from, to\n", to);
  for (const mode_def& m : all_modes()) {
    std::string defaults = m.templ ? m.templ : "";
    if (m.output) defaults += (defaults.empty() ? "" : ", ") + std::string(m.output);
    char text[128];
    std::snprintf(text, sizeof text, "%-30s %s", m.help, defaults.c_str());
    row(m.letter ? std::string("-") + m.letter : "(none)", text);
  }
  std::fputs("other options\n", to);
  for (const option_def& o : kOptions) {
    std::string option = std::string("-") + o.letter;
    if (o.arg) option += std::string(" ") + o.arg;
    row(option, o.help);
    if (o.letter == 'V') row("--version", "the same, on standard output");
    if (o.letter == 'h') row("--help", "the same");
  }
  std::fputs("sort orders\n ", to);
  for (size_t i = 0; i < kSortCount; ++i)
    std::fprintf(to, " %s", sort_name(static_cast<sort_order>(i)));
  std::fputc('\n', to);
}
