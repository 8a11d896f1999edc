#include "startup/input.h"

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

  static void expect_empty(const mapped_input& in) {
    EXPECT_EQ(in.fd, -1);
    EXPECT_EQ(in.addr, nullptr);
    EXPECT_EQ(in.len, 0u);
  }

  temp_dir tmp_;
  const std::string dir_ = tmp_.path().string();
};

TEST_F(InputTest, MapsARegularFile) {
  const std::string body = "<a>\xc3\xa9t\xc3\xa9</a>\n";
  std::string path = write_file("a.xml", body);
  int fd;
  {
    mapped_input in;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(map_input(path.c_str(), in));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_NE(in.fd, -1);
    ASSERT_NE(in.addr, nullptr);
    ASSERT_EQ(in.len, body.size());
    EXPECT_EQ(std::string(in.addr, in.len), body);
    fd = in.fd;
    EXPECT_NE(fcntl(fd, F_GETFD), -1);
  }
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
    mapped_input in;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(map_input(c.path.c_str(), in));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), line(c.message));
    expect_empty(in);
  }
}

TEST_F(InputTest, SizeLimitIsTwoGibibytes) {
  // Sparse files: nothing is written to disk.
  std::string big = write_file("big.xml", "");
  ASSERT_EQ(truncate(big.c_str(), 2147483648LL), 0);
  std::string edge = write_file("edge.xml", "");
  ASSERT_EQ(truncate(edge.c_str(), 2147483647LL), 0);

  {
    mapped_input in;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(map_input(big.c_str(), in));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              line(big + ": too large"));
    expect_empty(in);
  }
  {
    mapped_input in;
    EXPECT_TRUE(map_input(edge.c_str(), in));
    EXPECT_EQ(in.len, 2147483647u);
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
  mapped_input in;
  ASSERT_TRUE(map_input(path.c_str(), in));
  XML_Parser parser = XML_ParserCreate(nullptr);
  begin_pass(parser, nullptr, true);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(run_pass(parser, path.c_str(), in));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            line(path + ":2:5: mismatched tag"));
  XML_ParserFree(parser);
}

}  // namespace
