#include "markup/writer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>
#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace {

constexpr size_t kBuf = 64 * 1024;

class WriterTest : public testing::Test {
 protected:
  static std::string slurp(const std::string& path) {
    return temp_dir::read(path);
  }

  temp_dir tmp_;
  const std::string dir_ = tmp_.path().string();
};

// A run of N bytes that differs from every other run, so that lost,
// doubled or misplaced bytes show.
std::string run(size_t n, int seed) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i)
    s[i] = static_cast<char>('a' + (i * 7 + static_cast<size_t>(seed)) % 26);
  return s;
}

// Writes a sequence of pieces (size 1 pieces with put) and returns what
// should come out.
std::string feed(Writer& w, const std::vector<size_t>& sizes) {
  std::string want;
  int seed = 0;
  for (size_t n : sizes) {
    std::string piece = run(n, ++seed);
    if (n == 1)
      w.put(piece[0]);
    else
      w.write(piece);
    want += piece;
  }
  return want;
}

const std::vector<std::vector<size_t>> kSequences = {
    {},
    {0},
    {5},
    {kBuf},
    {kBuf - 1, 1},
    {kBuf - 1, 1, 1},
    {kBuf - 1, 2},
    {kBuf, 1},
    {1, kBuf},
    {1, kBuf - 1, 1},
    {kBuf - 3, 10, kBuf - 10, 3, 1},
    {kBuf + 1},
    {10, kBuf + 1, 10},
    {1024 * 1024},
    {3, 3 * kBuf + 17, 1, 1, kBuf / 2, kBuf / 2, kBuf / 2 + 1},
};

TEST_F(WriterTest, BuffersAcrossTheBoundaryIntoAString) {
  for (const auto& sizes : kSequences) {
    SCOPED_TRACE(testing::Message() << "pieces: " << sizes.size());
    std::string out;
    Writer w;
    w.open_string(&out);
    std::string want = feed(w, sizes);
    EXPECT_TRUE(w.close());
    ASSERT_EQ(out.size(), want.size());
    EXPECT_TRUE(out == want);
  }
}

TEST_F(WriterTest, BuffersAcrossTheBoundaryIntoAFile) {
  std::string path = dir_ + "/out.html";
  for (const auto& sizes : kSequences) {
    SCOPED_TRACE(testing::Message() << "pieces: " << sizes.size());
    Writer w;
    ASSERT_TRUE(w.open(path));
    EXPECT_EQ(w.display_name(), path);
    std::string want = feed(w, sizes);
    EXPECT_TRUE(w.close());
    std::string got = slurp(path);
    ASSERT_EQ(got.size(), want.size());
    EXPECT_TRUE(got == want);
  }
}

TEST_F(WriterTest, OpenTruncates) {
  std::string path = dir_ + "/out.html";
  {
    std::ofstream old(path);
    old << "old content that is longer";
  }
  Writer w;
  ASSERT_TRUE(w.open(path));
  w.write("new");
  ASSERT_TRUE(w.close());
  EXPECT_EQ(slurp(path), "new");
}

TEST_F(WriterTest, OpenFailsInAMissingDirectory) {
  Writer w;
  errno = 0;
  EXPECT_FALSE(w.open(dir_ + "/missing/out.html"));
  EXPECT_EQ(errno, ENOENT);
  errno = 0;
  EXPECT_FALSE(w.open(dir_));  // a directory
  EXPECT_EQ(errno, EISDIR);
}

TEST_F(WriterTest, CloseReportsAWriteError) {
  for (size_t n : {size_t{1}, kBuf - 1, kBuf, kBuf + 1, 4 * kBuf}) {
    SCOPED_TRACE(n);
    Writer w;
    ASSERT_TRUE(w.open("/dev/full"));
    w.write(run(n, 1));
    w.put('x');  // later writes are dropped quietly
    errno = 0;
    EXPECT_FALSE(w.close());
    EXPECT_EQ(errno, ENOSPC);
  }
}

TEST_F(WriterTest, CloseWithNothingWrittenSucceeds) {
  Writer w;
  ASSERT_TRUE(w.open("/dev/full"));
  EXPECT_TRUE(w.close());
}

TEST_F(WriterTest, StandardOutputIsNotClosed) {
  Writer w;
  ASSERT_TRUE(w.open("-"));
  EXPECT_EQ(w.display_name(), "standard output");
  EXPECT_TRUE(w.close());
  EXPECT_NE(fcntl(1, F_GETFD), -1);
}

TEST_F(WriterTest, CloseClosesTheFile) {
  std::string path = dir_ + "/out.html";
  int before = ::open("/dev/null", O_RDONLY);
  ASSERT_NE(before, -1);
  ::close(before);
  {
    Writer w;
    ASSERT_TRUE(w.open(path));
    w.write("x");
    ASSERT_TRUE(w.close());
  }
  // The lowest free descriptor is free again.
  int after = ::open("/dev/null", O_RDONLY);
  EXPECT_EQ(after, before);
  ::close(after);
}

// The names in DIR, dot files included.
std::vector<std::string> names_in(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(WriterTest, TheFileIsReplacedOnlyWhenClosed) {
  std::string path = dir_ + "/out.html";
  tmp_.write("out.html", "old");
  Writer w;
  ASSERT_TRUE(w.open(path));
  w.write(run(3 * kBuf, 7));  // some of it reaches the disk
  EXPECT_EQ(slurp(path), "old");
  EXPECT_EQ(names_in(dir_).size(), 2u) << "a temporary file beside it";
  ASSERT_TRUE(w.close());
  EXPECT_EQ(slurp(path), run(3 * kBuf, 7));
  EXPECT_EQ(names_in(dir_), std::vector<std::string>{"out.html"});
}

TEST_F(WriterTest, DiscardLeavesThePreviousFileAndNoTrace) {
  std::string path = dir_ + "/out.html";
  for (bool existed : {true, false}) {
    SCOPED_TRACE(existed);
    std::filesystem::remove(path);
    if (existed) tmp_.write("out.html", "old");
    Writer w;
    ASSERT_TRUE(w.open(path));
    w.write(run(2 * kBuf, 3));
    w.discard();
    EXPECT_EQ(std::filesystem::exists(path), existed);
    if (existed) {
      EXPECT_EQ(slurp(path), "old");
    }
    EXPECT_EQ(names_in(dir_).size(), existed ? 1u : 0u);
  }
  {
    // A writer dropped without a close leaves no temporary file either.
    Writer w;
    ASSERT_TRUE(w.open(path));
  }
  EXPECT_TRUE(names_in(dir_).empty());
}

TEST_F(WriterTest, ModesAreKeptOrTakenFromTheUmask) {
  std::string path = dir_ + "/out.html";
  tmp_.write("out.html", "old");
  for (mode_t mode : {0600, 0640, 0755, 0444}) {
    SCOPED_TRACE(mode);
    ASSERT_EQ(chmod(path.c_str(), mode), 0);
    Writer w;
    // A file its owner may not write is replaced only for root, who may
    // write any file; anyone else is refused, and the file stays.
    if (!(mode & S_IWUSR) && geteuid() != 0) {
      EXPECT_FALSE(w.open(path));
      EXPECT_EQ(slurp(path), "new");
      EXPECT_TRUE(names_in(dir_) == std::vector<std::string>{"out.html"});
      continue;
    }
    ASSERT_TRUE(w.open(path));
    w.write("new");
    ASSERT_TRUE(w.close());
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode);
  }
  mode_t mask = umask(022);
  std::string fresh = dir_ + "/fresh.html";
  Writer w;
  ASSERT_TRUE(w.open(fresh));
  ASSERT_TRUE(w.close());
  umask(mask);
  struct stat st;
  ASSERT_EQ(stat(fresh.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(WriterTest, ASymbolicLinkKeepsPointingAtItsNewTarget) {
  tmp_.write("real/target.html", "old");
  std::string link = dir_ + "/link.html";
  ASSERT_EQ(symlink("real/target.html", link.c_str()), 0);
  std::string dangling = dir_ + "/dangling.html";
  ASSERT_EQ(symlink("real/made.html", dangling.c_str()), 0);
  for (const std::string& path : {link, dangling}) {
    Writer w;
    ASSERT_TRUE(w.open(path));
    w.write("new");
    ASSERT_TRUE(w.close());
    EXPECT_TRUE(std::filesystem::is_symlink(path));
  }
  EXPECT_EQ(slurp(dir_ + "/real/target.html"), "new");
  EXPECT_EQ(slurp(dir_ + "/real/made.html"), "new");
  EXPECT_EQ(names_in(dir_ + "/real"),
            (std::vector<std::string>{"made.html", "target.html"}));
}

}  // namespace
