#include "cli/cmdline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "articles/sort.h"

namespace {

struct ParseCase {
  std::vector<std::string> args;  // after the program name
  parse_result result = PARSE_RUN;
  // Checked only for PARSE_RUN:
  run_mode mode = run_mode::blog_page;
  bool json = false;
  bool reverse = false;
  bool repeated = false;
  const char* templ = nullptr;
  const char* output = nullptr;
  const char* current = nullptr;
  sort_order by = sort_order::date;
  int first_operand = 1;
};

std::string describe(const std::vector<std::string>& args) {
  std::string s = "vorn";
  for (const std::string& a : args) s += " '" + a + "'";
  return s;
}

void expect_name(const char* got, const char* want, const char* what) {
  SCOPED_TRACE(what);
  if (!want) {
    EXPECT_EQ(got, nullptr);
  } else {
    ASSERT_NE(got, nullptr);
    EXPECT_STREQ(got, want);
  }
}

TEST(ParseOptions, Table) {
  const ParseCase cases[] = {
      // Defaults.
      {.args = {"a.xml"}},
      {.args = {"a.xml", "b.xml"}},
      // Modes: the last of -a, -c, -l, -L wins.
      {.args = {"-a", "a.xml"}, .mode = run_mode::atom_feed, .first_operand = 2},
      {.args = {"-c", "a.xml"}, .mode = run_mode::article_page, .first_operand = 2},
      {.args = {"-L", "a.xml"}, .mode = run_mode::standalone_pages, .first_operand = 2},
      {.args = {"-l", "a.xml"}, .mode = run_mode::tag_listing, .first_operand = 2},
      {.args = {"-a", "-c", "a.xml"}, .mode = run_mode::article_page, .first_operand = 3},
      {.args = {"-c", "-a", "a.xml"}, .mode = run_mode::atom_feed, .first_operand = 3},
      {.args = {"-ca", "a.xml"}, .mode = run_mode::atom_feed, .first_operand = 2},
      {.args = {"-l", "-L", "a.xml"}, .mode = run_mode::standalone_pages,
       .first_operand = 3},
      // -j turns the default mode and -a into the JSON export, in either
      // order, and leaves the other modes alone.
      {.args = {"-j", "a.xml"}, .mode = run_mode::json_export, .json = true,
       .first_operand = 2},
      {.args = {"-a", "-j", "a.xml"}, .mode = run_mode::json_export, .json = true,
       .first_operand = 3},
      {.args = {"-j", "-a", "a.xml"}, .mode = run_mode::json_export, .json = true,
       .first_operand = 3},
      {.args = {"-c", "-j", "a.xml"}, .mode = run_mode::article_page, .json = true,
       .first_operand = 3},
      {.args = {"-j", "-L", "a.xml"}, .mode = run_mode::standalone_pages, .json = true,
       .first_operand = 3},
      {.args = {"-j", "-l", "a.xml"}, .mode = run_mode::tag_listing, .json = true,
       .first_operand = 3},
      {.args = {"-j", "-C", "x", "a.xml"}, .mode = run_mode::json_export, .json = true,
       .current = "x", .first_operand = 4},
      // The repeated-listing flag.
      {.args = {"-l", "-l", "a.xml"}, .mode = run_mode::tag_listing, .repeated = true,
       .first_operand = 3},
      {.args = {"-ll", "a.xml"}, .mode = run_mode::tag_listing, .repeated = true,
       .first_operand = 2},
      {.args = {"-l", "-a", "-l", "a.xml"}, .mode = run_mode::tag_listing,
       .first_operand = 4},
      {.args = {"-l", "-l", "-a", "a.xml"}, .mode = run_mode::atom_feed,
       .repeated = true, .first_operand = 4},
      {.args = {"-l", "-l", "-j", "a.xml"}, .mode = run_mode::tag_listing, .json = true,
       .first_operand = 4},
      {.args = {"-j", "-l", "-l", "a.xml"}, .mode = run_mode::tag_listing, .json = true,
       .first_operand = 4},
      {.args = {"-lr", "a.xml"}, .mode = run_mode::tag_listing, .reverse = true,
       .first_operand = 2},
      // Names, separate and attached.
      {.args = {"-o", "out.html", "-t", "t.xml", "-C", "cur.xml", "a.xml"},
       .templ = "t.xml", .output = "out.html", .current = "cur.xml",
       .first_operand = 7},
      {.args = {"-oout", "-tt.xml", "-Ccur", "a.xml"}, .templ = "t.xml",
       .output = "out", .current = "cur", .first_operand = 4},
      {.args = {"-o", "first", "-o", "-", "a.xml"}, .output = "-",
       .first_operand = 5},
      {.args = {"-o", "-c", "a.xml"}, .output = "-c", .first_operand = 3},
      {.args = {"-C", "x", "-l", "a.xml"}, .mode = run_mode::tag_listing, .current = "x",
       .first_operand = 4},
      // Sort orders.
      {.args = {"-s", "rdate", "a.xml"}, .by = sort_order::rdate,
       .first_operand = 3},
      {.args = {"-sTitle", "a.xml"}, .by = sort_order::title, .first_operand = 2},
      {.args = {"-s", "RTITLE", "-s", "cmdline", "a.xml"},
       .by = sort_order::cmdline, .first_operand = 5},
      {.args = {"-s", "newest", "a.xml"}, .result = PARSE_USAGE},
      {.args = {"-s", "", "a.xml"}, .result = PARSE_USAGE},
      {.args = {"-s"}, .result = PARSE_USAGE},
      // Options end at the first operand or at "--".
      {.args = {"a.xml", "-c"}, .first_operand = 1},
      {.args = {"a.xml", "-x", "-V"}, .first_operand = 1},
      {.args = {"-j", "--", "-a"}, .mode = run_mode::json_export, .json = true,
       .first_operand = 3},
      {.args = {"--", "a.xml"}, .first_operand = 2},
      {.args = {"-"}, .first_operand = 1},
      {.args = {"-c", "-", "b"}, .mode = run_mode::article_page, .first_operand = 2},
      // No operands.
      {.args = {}, .result = PARSE_USAGE},
      {.args = {"-c"}, .result = PARSE_USAGE},
      {.args = {"-o", "x"}, .result = PARSE_USAGE},
      {.args = {"--"}, .result = PARSE_USAGE},
      // Bad options.
      {.args = {"-x", "a.xml"}, .result = PARSE_USAGE},
      {.args = {"-cx", "a.xml"}, .result = PARSE_USAGE},
      {.args = {"-o"}, .result = PARSE_USAGE},
      {.args = {"a.xml", "-o"}, .first_operand = 1},
      // -V ends option reading, operands or not; what comes before it
      // still counts.
      {.args = {"-V"}, .result = PARSE_VERSION},
      {.args = {"-c", "-V", "a.xml"}, .result = PARSE_VERSION},
      {.args = {"-V", "-x"}, .result = PARSE_VERSION},
      {.args = {"-V", "-s", "newest"}, .result = PARSE_VERSION},
      {.args = {"-s", "newest", "-V"}, .result = PARSE_USAGE},
      {.args = {"-x", "-V"}, .result = PARSE_USAGE},
      // -h and --help, --version: the same, for the usage text and the
      // version line on standard output.  Long names may be shortened.
      {.args = {"-h"}, .result = PARSE_HELP},
      {.args = {"--help"}, .result = PARSE_HELP},
      {.args = {"--he"}, .result = PARSE_HELP},
      {.args = {"--h"}, .result = PARSE_HELP},
      {.args = {"-jh", "a.xml"}, .result = PARSE_HELP},
      {.args = {"-c", "--help", "a.xml"}, .result = PARSE_HELP},
      {.args = {"-h", "-x"}, .result = PARSE_HELP},
      {.args = {"-h", "-V"}, .result = PARSE_HELP},
      {.args = {"-V", "-h"}, .result = PARSE_VERSION},
      {.args = {"-s", "newest", "-h"}, .result = PARSE_USAGE},
      {.args = {"--version"}, .result = PARSE_VERSION_STDOUT},
      {.args = {"--vers"}, .result = PARSE_VERSION_STDOUT},
      {.args = {"--v"}, .result = PARSE_VERSION_STDOUT},
      {.args = {"-o", "x", "--version", "a.xml"},
       .result = PARSE_VERSION_STDOUT},
      {.args = {"--version", "--help"}, .result = PARSE_VERSION_STDOUT},
      {.args = {"-s", "newest", "--version"}, .result = PARSE_USAGE},
      // After the first operand or "--" they are file names.
      {.args = {"a.xml", "-h"}, .first_operand = 1},
      {.args = {"a.xml", "--help"}, .first_operand = 1},
      {.args = {"--", "--version"}, .first_operand = 2},
      {.args = {"-o", "--help", "a.xml"}, .output = "--help",
       .first_operand = 3},
      // Other long options, an argument to one that takes none, and the
      // long forms of short options are not options.
      {.args = {"--helpme", "a.xml"}, .result = PARSE_USAGE},
      {.args = {"--help=yes"}, .result = PARSE_USAGE},
      {.args = {"--version=1"}, .result = PARSE_USAGE},
      {.args = {"--verbose", "a.xml"}, .result = PARSE_USAGE},
      {.args = {"--output", "x", "a.xml"}, .result = PARSE_USAGE},
      {.args = {"---help"}, .result = PARSE_USAGE},
      {.args = {"-help"}, .result = PARSE_HELP},
  };

  for (const ParseCase& c : cases) {
    SCOPED_TRACE(describe(c.args));
    std::vector<std::string> storage = {"/usr/local/bin/vorn"};
    storage.insert(storage.end(), c.args.begin(), c.args.end());
    std::vector<char*> argv;
    for (std::string& s : storage) argv.push_back(s.data());
    std::vector<char*> saved = argv;
    argv.push_back(nullptr);

    options o;
    testing::internal::CaptureStderr();
    parse_result r =
        parse_options(static_cast<int>(storage.size()), argv.data(), o);
    std::string diagnostics = testing::internal::GetCapturedStderr();

    // The argument vector is handed back as it came (operands are passed
    // on from it).
    for (size_t i = 0; i < saved.size(); ++i) EXPECT_EQ(argv[i], saved[i]);

    ASSERT_EQ(r, c.result);
    if (r != PARSE_RUN) continue;
    EXPECT_EQ(diagnostics, "");
    EXPECT_EQ(o.mode, c.mode);
    EXPECT_EQ(o.json, c.json);
    EXPECT_EQ(o.reverse, c.reverse);
    EXPECT_EQ(o.repeated, c.repeated);
    expect_name(o.templ, c.templ, "templ");
    expect_name(o.output, c.output, "output");
    expect_name(o.current, c.current, "current");
    EXPECT_EQ(o.by, c.by);
    EXPECT_EQ(o.first_operand, c.first_operand);
  }
}

TEST(ParseOptions, GetoptDiagnosticsUseTheShortProgramName) {
  std::vector<std::string> storage = {"/some/dir/vorn-x", "-q", "a.xml"};
  std::vector<char*> argv;
  for (std::string& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);
  options o;
  testing::internal::CaptureStderr();
  EXPECT_EQ(parse_options(3, argv.data(), o), PARSE_USAGE);
  std::string diagnostics = testing::internal::GetCapturedStderr();
  EXPECT_EQ(diagnostics.find("/some/dir"), std::string::npos) << diagnostics;
  EXPECT_NE(diagnostics.find("invalid option -- 'q'"), std::string::npos)
      << diagnostics;
  EXPECT_STREQ(argv[0], "/some/dir/vorn-x");
}

TEST(ParseOptions, UnknownSortNamesAreNamed) {
  std::vector<std::string> storage = {"vorn", "-s", "newest", "a.xml"};
  std::vector<char*> argv;
  for (std::string& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);
  options o;
  testing::internal::CaptureStderr();
  EXPECT_EQ(parse_options(4, argv.data(), o), PARSE_USAGE);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            std::string(program_invocation_short_name) +
                ": unknown sort order 'newest'\n");
}

TEST(MakeRequest, TheModesDefaultsWhereNoNameIsGiven) {
  std::vector<std::string> storage = {"vorn", "-a", "-s", "title", "a.xml",
                                      "b.xml"};
  std::vector<char*> argv;
  for (std::string& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);
  options o;
  ASSERT_EQ(parse_options(6, argv.data(), o), PARSE_RUN);
  request r = make_request(o, 6, argv.data());
  EXPECT_STREQ(r.templ, "atom-template.xml");
  EXPECT_STREQ(r.output, "atom.xml");
  EXPECT_EQ(r.by, sort_order::title);
  ASSERT_EQ(r.inputs.size(), 2u);
  EXPECT_STREQ(r.inputs[0], "a.xml");
  o.templ = "t.xml";
  o.output = "-";
  r = make_request(o, 6, argv.data());
  EXPECT_STREQ(r.templ, "t.xml");
  EXPECT_STREQ(r.output, "-");
  // Every mode has a builder; the default mode is the one without a letter.
  for (const mode_def& m : all_modes()) {
    EXPECT_NE(m.build, nullptr);
    EXPECT_EQ(m.letter == 0, m.mode == run_mode::blog_page);
  }
}

TEST(SortParse, NamesIgnoringCase) {
  const struct {
    const char* name;
    sort_order order;
  } cases[] = {
      {"date", sort_order::date},           {"filename", sort_order::filename},
      {"cmdline", sort_order::cmdline},     {"ititle", sort_order::ititle},
      {"title", sort_order::title},         {"rdate", sort_order::rdate},
      {"rfilename", sort_order::rfilename}, {"rcmdline", sort_order::rcmdline},
      {"rititle", sort_order::rititle},     {"rtitle", sort_order::rtitle},
      {"DATE", sort_order::date},           {"Date", sort_order::date},
      {"RTITLE", sort_order::rtitle},       {"FileName", sort_order::filename},
      {"rCmdLine", sort_order::rcmdline},   {"ITITLE", sort_order::ititle},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sort_order order = c.order == sort_order::rtitle ? sort_order::date
                                                     : sort_order::rtitle;
    EXPECT_TRUE(sort_parse(c.name, order));
    EXPECT_EQ(order, c.order);
  }
}

TEST(SortParse, UnknownNamesLeaveTheOrderAlone) {
  const char* const cases[] = {"",       "newest", "dates", "dat",  "r",
                               " date",  "date ",  "0",     "5",    "rrdate",
                               "i title", "reverse", "name", "time"};
  for (const char* name : cases) {
    SCOPED_TRACE(std::string("name \"") + name + "\"");
    sort_order order = sort_order::title;
    EXPECT_FALSE(sort_parse(name, order));
    EXPECT_EQ(order, sort_order::title);
  }
}

}  // namespace
