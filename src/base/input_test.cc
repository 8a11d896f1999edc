#include "base/input.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace {

// A fresh directory for one test, removed with its files at the end.
class InputTest : public testing::Test {
 protected:
  std::string write_file(const std::string& name, const std::string& body) {
    return tmp_.write(name, body);
  }

  // The line the warn family prints: program name, ": ", the message.
  static std::string line(const std::string& message) {
    return std::string(program_invocation_short_name) + ": " + message + "\n";
  }

  static void expect_closed(const input_file& in) {
    EXPECT_EQ(in.fd, -1);
    EXPECT_EQ(in.size, 0);
  }

  temp_dir tmp_;
  const std::string dir_ = tmp_.path().string();
};

TEST_F(InputTest, OpensAndReadsARegularFile) {
  const std::string body = "<a>\xc3\xa9t\xc3\xa9</a>\n";
  std::string path = write_file("a.xml", body);
  int fd;
  {
    input_file in;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(open_input(path.c_str(), in));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_NE(in.fd, -1);
    ASSERT_EQ(in.size, static_cast<int64_t>(body.size()));
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(in.ctime, st.st_ctime);
    EXPECT_TRUE(is_run_input(st));
    fd = in.fd;
    EXPECT_NE(fcntl(fd, F_GETFD), -1);
  }
  std::string bytes;
  ASSERT_TRUE(read_input(path.c_str(), bytes));
  EXPECT_EQ(bytes, body);
  // Leaving the scope closes the descriptor.
  errno = 0;
  EXPECT_EQ(fcntl(fd, F_GETFD), -1);
  EXPECT_EQ(errno, EBADF);
}

TEST_F(InputTest, FailuresAreReportedAndLeaveNothingOpen) {
  std::string empty = write_file("empty.xml", "");
  std::string sub = dir_ + "/sub";
  ASSERT_EQ(mkdir(sub.c_str(), 0755), 0);
  std::string fifo = dir_ + "/fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  std::string missing = dir_ + "/missing.xml";
  std::string under_file = empty + "/x.xml";

  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {empty, empty + ": Invalid argument"},
      {sub, sub + ": not a regular file"},
      {fifo, fifo + ": not a regular file"},  // and it does not block
      {"/dev/null", "/dev/null: not a regular file"},
      {missing, missing + ": No such file or directory"},
      {under_file, under_file + ": Not a directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    input_file in;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(open_input(c.path.c_str(), in));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), line(c.message));
    expect_closed(in);
    std::string bytes;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(read_input(c.path.c_str(), bytes));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), line(c.message));
  }
}

TEST_F(InputTest, SizeLimitIsTwoGibibytes) {
  // Sparse files: nothing is written to disk.
  std::string big = write_file("big.xml", "");
  ASSERT_EQ(truncate(big.c_str(), 2147483648LL), 0);
  std::string edge = write_file("edge.xml", "");
  ASSERT_EQ(truncate(edge.c_str(), 2147483647LL), 0);

  {
    input_file in;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(open_input(big.c_str(), in));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              line(big + ": too large"));
    expect_closed(in);
  }
  {
    input_file in;
    EXPECT_TRUE(open_input(edge.c_str(), in));
    EXPECT_EQ(in.size, 2147483647);
  }
}

// Calls warn_at from inside a pass, where the parser has a position.
struct warn_probe {
  XML_Parser parser;
  std::string message;
};

void XMLCALL warn_on_b(void* data, const char* name, const char**) {
  auto* p = static_cast<warn_probe*>(data);
  if (std::string(name) == "b")
    warn_at(p->parser, "dir/f.xml", "%s [%d]", p->message.c_str(), 7);
}

std::string warn_during_parse(const std::string& message) {
  XML_Parser parser = XML_ParserCreate(nullptr);
  warn_probe probe{parser, message};
  XML_SetUserData(parser, &probe);
  XML_SetStartElementHandler(parser, warn_on_b);
  const std::string doc = "<a>\n\n  <b/></a>";
  testing::internal::CaptureStderr();
  EXPECT_EQ(XML_Parse(parser, doc.data(), static_cast<int>(doc.size()),
                      XML_TRUE),
            XML_STATUS_OK);
  std::string out = testing::internal::GetCapturedStderr();
  XML_ParserFree(parser);
  return out;
}

TEST(WarnAt, PrintsFileLineAndColumn) {
  EXPECT_EQ(warn_during_parse("malformed"),
            std::string(program_invocation_short_name) +
                ": dir/f.xml:3:2: malformed [7]\n");
}

TEST(WarnAt, CutsLongMessagesAt1023Bytes) {
  const std::string prefix =
      std::string(program_invocation_short_name) + ": dir/f.xml:3:2: ";
  // 1016 + " [7]" = 1020 bytes: kept whole.
  EXPECT_EQ(warn_during_parse(std::string(1016, 'x')),
            prefix + std::string(1016, 'x') + " [7]\n");
  // 1019 + " [7]" = 1023 bytes: still whole.
  EXPECT_EQ(warn_during_parse(std::string(1019, 'x')),
            prefix + std::string(1019, 'x') + " [7]\n");
  // One more byte, and the last one is lost.
  EXPECT_EQ(warn_during_parse(std::string(1020, 'x')),
            prefix + std::string(1020, 'x') + " [7\n");
  EXPECT_EQ(warn_during_parse(std::string(5000, 'y')),
            prefix + std::string(1023, 'y') + "\n");
}

TEST_F(InputTest, MalformedDocumentReportsPosition) {
  std::string path = write_file("bad.xml", "<a>\n<b></a>");
  input_file in;
  ASSERT_TRUE(open_input(path.c_str(), in));
  XML_Parser parser = XML_ParserCreate(nullptr);
  begin_pass(parser, nullptr, true);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(run_pass(parser, path.c_str(), in));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            line(path + ":2:5: mismatched tag (</a> closes <b> opened at 2:0)"));
  XML_ParserFree(parser);
}

// A mismatched end tag is reported with the element it leaves open and
// where that opened, whether the document is read from a file in slices
// or held in memory; other errors keep Expat's text alone.
TEST_F(InputTest, MismatchedTagNamesTheElementLeftOpen) {
  const std::string big(3 << 20, 'x');  // three slices of text
  const struct {
    std::string doc;
    std::string message;
  } cases[] = {
      {"<a><b>t</a>", ":1:9: mismatched tag (</a> closes <b> opened at 1:3)"},
      {"<a>\n  <p>x <em>y</p>\n</a>",
       ":2:14: mismatched tag (</p> closes <em> opened at 2:7)"},
      {"<a><b/><c></c>\n<d x='1'\n>&nbsp;</e ></a>",
       ":3:9: mismatched tag (</e> closes <d> opened at 2:0)"},
      // Far from where the open element started, slices away.
      {"<a>\n <b>" + big + "</a>",
       ":2:" + std::to_string(big.size() + 6) +
           ": mismatched tag (</a> closes <b> opened at 2:1)"},
      {"<a></b>", ":1:5: mismatched tag (</b> closes <a> opened at 1:0)"},
      {"<a><b></a>junk", ":1:8: mismatched tag (</a> closes <b> opened at 1:3)"},
      {"<a></a>junk", ":1:7: junk after document element"},
      {"<a><b></b>", ":1:10: no element found"},
  };
  XML_Parser parser = XML_ParserCreate(nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string path = write_file("m.xml", c.doc);
    input_file in;
    ASSERT_TRUE(open_input(path.c_str(), in));
    begin_pass(parser, nullptr, true);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(run_pass(parser, path.c_str(), in));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), line(path + c.message));
    begin_pass(parser, nullptr, true);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(run_pass(parser, "mem.xml", c.doc));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              line("mem.xml" + c.message));
  }
  XML_ParserFree(parser);
}

// Collects what a pass reports: raw text and element events.
void XMLCALL collect_text(void* data, const char* text, int len) {
  static_cast<std::string*>(data)->append(text, static_cast<size_t>(len));
}
void XMLCALL collect_start(void* data, const char* name, const char**) {
  *static_cast<std::string*>(data) += std::string("<") + name + ">";
}

// Parses BYTES with the pass of PATH read in slices, and then whole from
// memory; both must give the same events, result and message.
void expect_same_as_whole(const std::string& path, const std::string& bytes) {
  std::string sliced, whole, sliced_err, whole_err;
  bool sliced_ok, whole_ok;
  XML_Parser parser = XML_ParserCreate(nullptr);
  for (int pass = 0; pass < 2; ++pass) {
    std::string& got = pass == 0 ? sliced : whole;
    begin_pass(parser, &got, true);
    XML_SetDefaultHandlerExpand(parser, collect_text);
    XML_SetStartElementHandler(parser, collect_start);
    testing::internal::CaptureStderr();
    if (pass == 0) {
      input_file in;
      ASSERT_TRUE(open_input(path.c_str(), in));
      sliced_ok = run_pass(parser, path.c_str(), in);
      sliced_err = testing::internal::GetCapturedStderr();
    } else {
      whole_ok = run_pass(parser, path.c_str(), bytes);
      whole_err = testing::internal::GetCapturedStderr();
    }
  }
  XML_ParserFree(parser);
  EXPECT_EQ(sliced_ok, whole_ok);
  EXPECT_EQ(sliced_err, whole_err);
  EXPECT_TRUE(sliced == whole) << "the events differ";
}

TEST_F(InputTest, SlicesGiveTheEventsOfOneWholeParse) {
  // Text, tags and a comment across the slice boundaries (1 MiB) of a
  // document of 2.5 MiB, then a fault on its last line.
  std::string body = "<a>";
  int n = 0;
  while (body.size() < 5 * (1 << 19))
    body += "t" + std::to_string(n++) + " &amp; <b x='1'>\xc3\xa9</b>"
            "<!-- c -->\n";
  std::string good = body + "</a>";
  expect_same_as_whole(write_file("good.xml", good), good);
  std::string bad = body + "<c></a>";
  std::string path = write_file("bad.xml", bad);
  expect_same_as_whole(path, bad);
  // The fault is placed as in the whole document: last line, column 5.
  XML_Parser parser = XML_ParserCreate(nullptr);
  begin_pass(parser, nullptr, true);
  input_file in;
  ASSERT_TRUE(open_input(path.c_str(), in));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(run_pass(parser, path.c_str(), in));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            line(path + ":" + std::to_string(n + 1) +
                 ":5: mismatched tag (</a> closes <c> opened at " +
                 std::to_string(n + 1) + ":0)"));
  XML_ParserFree(parser);
}

}  // namespace
