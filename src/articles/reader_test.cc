#include "articles/reader.h"
#include "articles/read_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "support/temp_dir.h"

namespace {

using Tags = std::vector<std::string>;
using SetMap = std::vector<std::pair<std::string, std::string>>;

// Each test runs in a fresh directory of its own, so that file names can be
// given relative to it as they would be on a command line.
class ReaderTest : public testing::Test {
 protected:
  void SetUp() override {
    parser_ = XML_ParserCreate(nullptr);
    ASSERT_NE(parser_, nullptr);
  }
  void TearDown() override { XML_ParserFree(parser_); }

  // Writes NAME, relative to the test's directory.
  void write(const std::string& name, const std::string& body) {
    dir_.write(name, body);
  }

  // Reads NAME into list_; what the reader printed lands in err_.
  bool read(const std::string& name, whitelist_t whitelist = nullptr) {
    testing::internal::CaptureStderr();
    bool ok = read_article_file(parser_, name.c_str(), list_, whitelist);
    err_ = testing::internal::GetCapturedStderr();
    return ok;
  }

  // Writes and reads a file that must hold exactly one article, read
  // without any message.
  article one(const std::string& body, const std::string& name = "a.xml") {
    write(name, body);
    list_.clear();
    EXPECT_TRUE(read(name));
    EXPECT_EQ(err_, "");
    EXPECT_EQ(list_.size(), 1u);
    return list_.empty() ? article{} : list_[0];
  }

  // The status-change time the default date comes from.
  static int64_t ctime_of(const std::string& name) {
    struct stat st;
    EXPECT_EQ(stat(name.c_str(), &st), 0);
    return st.st_ctime;
  }

  static std::string prog() { return program_invocation_short_name; }

  temp_dir dir_;
  scoped_chdir in_dir_{dir_.path()};
  XML_Parser parser_ = nullptr;
  article_records list_;
  std::string err_;
};

TEST_F(ReaderTest, DefaultsAndNamesFromTheFileName) {
  const std::string body =
      "<html><body><p>outside</p>"
      "<div class='c' data-vorn-article=\"true\">x <b>y</b></div>"
      "</body></html>";
  article a = one(body, "dir/post.en.xml");
  EXPECT_EQ(a.fname, "dir/post.en.xml");
  EXPECT_EQ(a.stripfname, "post.en.xml");
  EXPECT_EQ(a.fbase, "dir/post.en");
  EXPECT_EQ(a.fstripbase, "post.en");
  EXPECT_EQ(a.fstriplangbase, "post.en");
  EXPECT_EQ(a.src, "dir/post.en.xml");
  EXPECT_EQ(a.base, "dir/post.en");
  EXPECT_EQ(a.stripsrc, "post.en.xml");
  EXPECT_EQ(a.stripbase, "post.en");
  EXPECT_EQ(a.striplangbase, "post.en");

  EXPECT_EQ(a.title, "Untitled article");
  EXPECT_EQ(a.titletext, "Untitled article");
  EXPECT_EQ(a.aside, "");
  EXPECT_EQ(a.asidetext, "");  // present, not absent
  EXPECT_EQ(a.author, "Untitled author");
  EXPECT_EQ(a.authortext, "Untitled author");
  EXPECT_EQ(a.img, std::nullopt);
  EXPECT_EQ(a.time, ctime_of("dir/post.en.xml"));
  EXPECT_EQ(a.isdatetime, 1);
  EXPECT_EQ(a.articlexml,
            "<div class=\"c\" data-vorn-article=\"true\">x <b>y</b></div>");
  EXPECT_TRUE(a.tags.empty());
  EXPECT_TRUE(a.setmap.empty());
  EXPECT_EQ(a.sort, pin::none);
  EXPECT_EQ(a.order, 1u);
}

TEST_F(ReaderTest, NamesFromTheSourceName) {
  article a = one(
      "<article data-vorn-article='1' data-vorn-lang='fr'"
      " data-vorn-source='first.xml'>"
      "<p data-vorn-source='other/x.y/page.fr.xml'/></article>",
      "d.x/in.fr.xml");
  // The last source name wins.
  EXPECT_EQ(a.src, "other/x.y/page.fr.xml");
  EXPECT_EQ(a.base, "other/x.y/page.fr");
  EXPECT_EQ(a.stripsrc, "page.fr.xml");
  EXPECT_EQ(a.stripbase, "page.fr");
  EXPECT_EQ(a.striplangbase, "page");
  // The file names keep their language suffix.
  EXPECT_EQ(a.fname, "d.x/in.fr.xml");
  EXPECT_EQ(a.stripfname, "in.fr.xml");
  EXPECT_EQ(a.fbase, "d.x/in.fr");
  EXPECT_EQ(a.fstripbase, "in.fr");
  EXPECT_EQ(a.fstriplangbase, "in.fr");

  a = one("<a data-vorn-article='1' data-vorn-source='x.d/readme'/>");
  EXPECT_EQ(a.src, "x.d/readme");
  EXPECT_EQ(a.base, "x.d/readme");
  EXPECT_EQ(a.stripsrc, "readme");
  EXPECT_EQ(a.stripbase, "readme");
  EXPECT_EQ(a.fname, "a.xml");
  EXPECT_EQ(a.fbase, "a");
}

TEST_F(ReaderTest, CapturesTitleAsideAndAuthor) {
  article a = one(
      "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\""
      " \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n"
      "<article data-vorn-article='1'>"
      "<h2 id='t'>A<em class='x'>b</em> &amp; c&nbsp;</h2>"
      "<h1>second heading</h1>"
      "<aside><!--note--><p class='x'>s&lt;</p></aside>"
      "<aside>second aside</aside>"
      "<address>By <a href='mailto:me'>me</a></address>"
      "<address>second address</address>"
      "</article>");
  EXPECT_EQ(a.title, "A<em class=\"x\">b</em> &amp; c&nbsp;");
  EXPECT_EQ(a.titletext, "Ab &amp; c&nbsp;");
  EXPECT_EQ(a.aside, "<!--note--><p class=\"x\">s&lt;</p>");
  EXPECT_EQ(a.asidetext, "<!--note-->s&lt;");
  EXPECT_EQ(a.author, "By <a href=\"mailto:me\">me</a>");
  EXPECT_EQ(a.authortext, "By me");
  EXPECT_EQ(a.articlexml,
            "<article data-vorn-article=\"1\">"
            "<h2 id=\"t\">A<em class=\"x\">b</em> &amp; c&nbsp;</h2>"
            "<h1>second heading</h1>"
            "<aside><!--note--><p class=\"x\">s&lt;</p></aside>"
            "<aside>second aside</aside>"
            "<address>By <a href=\"mailto:me\">me</a></address>"
            "<address>second address</address>"
            "</article>");
}

TEST_F(ReaderTest, TextForms) {
  const struct {
    const char* inner;
    const char* title;
    std::optional<std::string> titletext;
    const char* aside;
    std::optional<std::string> asidetext;
    const char* author;
    std::optional<std::string> authortext;
  } cases[] = {
      // Empty elements give the defaults.
      {"<h1></h1><aside/><address></address>", "Untitled article",
       "Untitled article", "", "", "Untitled author", "Untitled author"},
      // Elements without character data: markup but no text.
      {"<h1><br/></h1><aside><hr/></aside><address><img src='i'/></address>",
       "<br/>", std::nullopt, "<hr/>", std::nullopt, "<img src=\"i\"/>",
       std::nullopt},
      {"<h3><span></span></h3>", "<span></span>", std::nullopt, "", "",
       "Untitled author", "Untitled author"},
      // Headings of level 5 and 6 are not titles.
      {"<h5>five</h5><h6>six</h6><h4>four</h4>", "four", "four", "", "",
       "Untitled author", "Untitled author"},
      // The title ends at the first closing heading tag, even a nested one.
      {"<h1>a<h3>b</h3>c</h1>", "a<h3>b", "ab", "", "", "Untitled author",
       "Untitled author"},
      // Asides and addresses nest.
      {"<aside>a<aside>b</aside>c</aside>", "Untitled article",
       "Untitled article", "a<aside>b</aside>c", "abc", "Untitled author",
       "Untitled author"},
      {"<address>a<address>b</address>c</address>", "Untitled article",
       "Untitled article", "", "", "a<address>b</address>c", "abc"},
      // White space is text.
      {"<h1> </h1>", " ", " ", "", "", "Untitled author", "Untitled author"},
      // CDATA markers, processing instructions and character references
      // stay as written.
      {"<h1><![CDATA[<x>]]><?pi x?>&#65;</h1>", "<![CDATA[<x>]]><?pi x?>&#65;",
       "<![CDATA[<x>]]><?pi x?>&#65;", "", "", "Untitled author",
       "Untitled author"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.inner);
    article a = one(std::string("<article data-vorn-article='1'>") + c.inner +
                    "</article>");
    EXPECT_EQ(a.title, c.title);
    EXPECT_EQ(a.titletext, c.titletext);
    EXPECT_EQ(a.aside, c.aside);
    EXPECT_EQ(a.asidetext, c.asidetext);
    EXPECT_EQ(a.author, c.author);
    EXPECT_EQ(a.authortext, c.authortext);
  }
}

TEST_F(ReaderTest, ImageAndDateFromElements) {
  const struct {
    const char* inner;
    std::optional<std::string> img;
    std::optional<int64_t> time;  // none: the file's status-change time
    int isdatetime;
  } cases[] = {
      {"<img src='a.png'/><img src='b.png'/>", "a.png", std::nullopt, 1},
      // An img without src does not count.
      {"<img alt='x'/><img src='c.png'/>", "c.png", std::nullopt, 1},
      {"<img SRC='x'/>", std::nullopt, std::nullopt, 1},
      // Inside a capture, elements supply nothing.
      {"<h1>t<img src='in.png'/><time datetime='2020-01-01'/></h1>"
       "<img src='out.png'/>",
       "out.png", std::nullopt, 1},
      {"<aside><img src='in.png'/></aside>", std::nullopt, std::nullopt, 1},
      {"<time datetime='2020-01-01'>x</time>", std::nullopt, 1577836800, 0},
      {"<time datetime='2020-01-01T12:34:56Z'/>"
       "<time datetime='2021-01-01'/>",
       std::nullopt, 1577882096, 1},
      {"<time datetime='1969-12-31T23:59:59Z'/>", std::nullopt, -1, 1},
      // Only the first time element is looked at, usable or not.
      {"<time>no attribute</time><time datetime='2020-01-01'/>",
       std::nullopt, std::nullopt, 1},
      // A date of exactly 1970-01-01T00:00:00Z is kept.
      {"<time datetime='1970-01-01T00:00:00Z'/>", std::nullopt, 0, 1},
      {"<time datetime='1970-01-01'/>", std::nullopt, 0, 0},
      {"<p data-vorn-datetime='1970-01-01'/>", std::nullopt, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.inner);
    article a = one(std::string("<article data-vorn-article='1'>") + c.inner +
                    "</article>");
    EXPECT_EQ(a.img, c.img);
    EXPECT_EQ(a.time, c.time ? *c.time : ctime_of("a.xml"));
    EXPECT_EQ(a.isdatetime, c.isdatetime);
  }
}

TEST_F(ReaderTest, MalformedDatesWarnAndKeepTheDate) {
  write("b.xml",
        "<r><article data-vorn-article='1'>\n"
        "<p data-vorn-datetime='2020-01-01'/>\n"
        "  <p data-vorn-datetime='2020-01-01T00:00:00+01'/>\n"
        "</article>\n"
        "<div data-vorn-article='1'>\n"
        "<time datetime='yesterday'/><p data-vorn-const-datetime='2021-01-01'/>"
        "</div>\n"
        "<div data-vorn-article='1' data-vorn-const-datetime='April 1, 2026'>"
        "<b data-vorn-datetime='&#9;\"1\\'/><time datetime='2026-04-01 10:00'/>"
        "</div></r>\n");
  ASSERT_TRUE(read("b.xml"));
  // Each is reported at its start tag when its article ends, with what
  // dates the article instead.
  const std::string advice =
      " (write 2026-04-01 or 2026-04-01T10:00:00Z); the article is dated by ";
  EXPECT_EQ(err_, prog() + ": b.xml:3:2: malformed date/time "
                           "\"2020-01-01T00:00:00+01\"" + advice +
                      "the date/time at 2:0\n" +
                  prog() + ": b.xml:6:0: malformed date/time \"yesterday\"" +
                      advice + "the file's change time\n" +
                  prog() + ": b.xml:7:0: malformed date/time "
                           "\"April 1, 2026\"" + advice +
                      "the date/time at 7:101\n" +
                  prog() + ": b.xml:7:68: malformed date/time "
                           "\"\\t\\\"1\\\\\"" + advice +
                      "the date/time at 7:101\n");
  ASSERT_EQ(list_.size(), 3u);
  EXPECT_EQ(list_[0].time, 1577836800);
  EXPECT_EQ(list_[0].isdatetime, 0);
  // The failed time element still counts as the date: the const attribute
  // does not apply and the file time is used.
  EXPECT_EQ(list_[1].time, ctime_of("b.xml"));
  EXPECT_EQ(list_[1].isdatetime, 1);
  // 2026-04-01T10:00:00Z, a local date and time read as UTC.
  EXPECT_EQ(list_[2].time, 1775037600);
  EXPECT_EQ(list_[2].isdatetime, 1);
}

TEST_F(ReaderTest, AttributeRules) {
  const struct {
    const char* inner;
    const char* title;
    const char* aside;
    const char* author;
    std::optional<std::string> img;
  } cases[] = {
      // The plain attributes replace what was captured before them.
      {"<h1>Cap</h1><p data-vorn-title='Attr'/>", "Attr", "",
       "Untitled author", std::nullopt},
      {"<aside>Cap</aside><p data-vorn-aside='Attr'/>", "Untitled article",
       "Attr", "Untitled author", std::nullopt},
      {"<address>Cap</address><p data-vorn-author='Attr'/>",
       "Untitled article", "", "Attr", std::nullopt},
      {"<img src='cap'/><p data-vorn-img='attr'/>", "Untitled article", "",
       "Untitled author", "attr"},
      // ... and block the elements after them.
      {"<p data-vorn-title='Attr'/><h1>Cap</h1>", "Attr", "",
       "Untitled author", std::nullopt},
      {"<h1 data-vorn-title='Attr'>Cap</h1>", "Attr", "", "Untitled author",
       std::nullopt},
      {"<p data-vorn-aside='A' data-vorn-author='B' data-vorn-img='C'/>"
       "<aside>x</aside><address>y</address><img src='z'/>",
       "Untitled article", "A", "B", "C"},
      // The const attributes only fill what is missing.
      {"<h1>Cap</h1><p data-vorn-const-title='Attr'/>", "Cap", "",
       "Untitled author", std::nullopt},
      {"<p data-vorn-const-title='Attr'/><h1>Cap</h1>", "Attr", "",
       "Untitled author", std::nullopt},
      {"<aside>Cap</aside><p data-vorn-const-aside='Attr'/>",
       "Untitled article", "Cap", "Untitled author", std::nullopt},
      {"<p data-vorn-const-author='Attr'/><address>Cap</address>",
       "Untitled article", "", "Attr", std::nullopt},
      {"<img src='cap'/><p data-vorn-const-img='attr'/>", "Untitled article",
       "", "Untitled author", "cap"},
      {"<p data-vorn-const-img='attr'/><img src='cap'/>", "Untitled article",
       "", "Untitled author", "attr"},
      // Within one element the attributes apply in order.
      {"<p data-vorn-title='one' class='x'"
       " data-vorn-const-title='two'/>",
       "one", "", "Untitled author", std::nullopt},
      {"<p data-vorn-const-title='one' data-vorn-title='two'/>", "two", "",
       "Untitled author", std::nullopt},
      // An empty value is a value.
      {"<p data-vorn-title='' data-vorn-author=''/><h1>Cap</h1>", "", "", "",
       std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.inner);
    article a = one(std::string("<article data-vorn-article='1'>") + c.inner +
                    "</article>");
    EXPECT_EQ(a.title, c.title);
    EXPECT_EQ(a.titletext, c.title);
    EXPECT_EQ(a.aside, c.aside);
    EXPECT_EQ(a.asidetext, c.aside);
    EXPECT_EQ(a.author, c.author);
    EXPECT_EQ(a.authortext, c.author);
    EXPECT_EQ(a.img, c.img);
  }
}

// A data-vorn-* name that is not vorn's, in any letter case, is reported
// once per name and file, with the known name it is nearest to; it does
// nothing else.
TEST_F(ReaderTest, UnknownMarkersWarnOncePerNameAndFile) {
  write("markers.xml",
        "<r data-vorn-artcle='1'>\n"
        "<p data-vorn-article='1' data-vorn-titel='T' class='x'>\n"
        "<b data-vorn-titel='U' DATA-VORN-TITLE='V' data-vorn-Title='W'"
        " data-vorn-title2='X'/>\n"
        "<h1 data-vorn-published='2020'>H</h1>"
        "<aside data-vorn-set-='bare' data-vorn-set-k='v'/>\n"
        "</p><i data-vorn-artcle='1'/></r>\n");
  ASSERT_TRUE(read("markers.xml"));
  const std::string at = prog() + ": markers.xml:";
  EXPECT_EQ(err_,
            at + "1:0: unknown attribute data-vorn-artcle (did you mean "
                 "data-vorn-article?)\n" +
            at + "2:0: unknown attribute data-vorn-titel (did you mean "
                 "data-vorn-title?)\n" +
            at + "3:0: unknown attribute DATA-VORN-TITLE (did you mean "
                 "data-vorn-title?)\n" +
            at + "3:0: unknown attribute data-vorn-Title (did you mean "
                 "data-vorn-title?)\n" +
            at + "3:0: unknown attribute data-vorn-title2 (did you mean "
                 "data-vorn-title?)\n" +
            at + "4:0: unknown attribute data-vorn-published\n" +
            at + "4:37: unknown attribute data-vorn-set-\n");
  ASSERT_EQ(list_.size(), 1u);
  EXPECT_EQ(list_[0].title, "H");
  EXPECT_EQ(list_[0].setmap, (SetMap{{"k", "v"}}));

  // Not again for the same file in the same run; again for another file.
  write("other.xml", "<p data-vorn-article='1' data-vorn-artcle='1'/>");
  ASSERT_TRUE(read("markers.xml"));
  EXPECT_EQ(err_, "");
  ASSERT_TRUE(read("other.xml"));
  EXPECT_EQ(err_, prog() + ": other.xml:1:0: unknown attribute "
                           "data-vorn-artcle (did you mean data-vorn-article?)\n");
}

TEST_F(ReaderTest, AttributesApplyInsideCaptures) {
  article a = one(
      "<article data-vorn-article='1'>"
      "<h1>Cap<img src='in' data-vorn-img='attr'/></h1>"
      "<aside>x<b data-vorn-author='W'>y</b></aside>"
      "<address>A<i data-vorn-const-title='T'/></address>"
      "</article>");
  EXPECT_EQ(a.img, "attr");
  EXPECT_EQ(a.title, "Cap<img src=\"in\" data-vorn-img=\"attr\"/>");
  EXPECT_EQ(a.titletext, "Cap");
  EXPECT_EQ(a.aside, "x<b data-vorn-author=\"W\">y</b>");
  EXPECT_EQ(a.asidetext, "xy");
  // The author was set by the attribute, so the address is plain content.
  EXPECT_EQ(a.author, "W");
  EXPECT_EQ(a.authortext, "W");
}

TEST_F(ReaderTest, AttributesOnTheArticleElement) {
  article a = one(
      "<section data-vorn-article='1' data-vorn-const-title='T'"
      " data-vorn-datetime='2020-01-01T12:34:56Z' data-vorn-tags='a b'"
      " data-vorn-set-k='v'><h1>Cap</h1><time datetime='2021-01-01'/>"
      "</section>");
  EXPECT_EQ(a.title, "T");
  EXPECT_EQ(a.time, 1577882096);
  EXPECT_EQ(a.isdatetime, 1);
  EXPECT_EQ(a.tags, (Tags{"a", "b"}));
  EXPECT_EQ(a.setmap, (SetMap{{"k", "v"}}));
}

TEST_F(ReaderTest, TagsAndKeys) {
  write("a.xml",
        "<article data-vorn-article='1' data-vorn-tags='  a  b a'>"
        "<p data-vorn-tags='one\\ two b'/>"
        "<p data-vorn-tags=''/>"
        "<p data-vorn-tags='${vorn-get|k} c'/>"
        "<p data-vorn-set-Colour='red' data-vorn-set-k='1'/>"
        "<p DATA-VORN-SET-Colour='blue' data-vorn-set-colour='green'"
        " data-vorn-set-='bare' Data-Vorn-Set-k='2'/>"
        "</article>");
  ASSERT_TRUE(read("a.xml"));
  ASSERT_EQ(list_.size(), 1u);
  const article& a = list_[0];
  // A bare prefix sets nothing, and is not one of vorn's names.
  EXPECT_EQ(err_, prog() + ": a.xml:1:199: unknown attribute data-vorn-set-\n");
  // Tags from several elements accumulate; no substitution here.
  EXPECT_EQ(a.tags, (Tags{"a", "b", "one\\ two", "${vorn-get|k}", "c"}));
  // The prefix ignores case, the key keeps it; the latest value wins.
  EXPECT_EQ(a.setmap, (SetMap{{"Colour", "blue"}, {"k", "2"},
                              {"colour", "green"}}));
}

TEST_F(ReaderTest, Pinning) {
  const struct {
    const char* attrs;
    pin sort;
  } cases[] = {
      {"data-vorn-sort='first'", pin::first},
      {"data-vorn-sort='last'", pin::last},
      {"data-vorn-sort='First'", pin::none},
      {"data-vorn-sort='LAST'", pin::none},
      {"data-vorn-sort='middle'", pin::none},
      {"data-vorn-sort=' first'", pin::none},
      {"", pin::none},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.attrs);
    article a = one(std::string("<article data-vorn-article='1' ") + c.attrs +
                    "/>");
    EXPECT_EQ(a.sort, c.sort);
  }
  // Only on the article element.
  EXPECT_EQ(one("<article data-vorn-article='1'>"
                "<p data-vorn-sort='first'/></article>")
                .sort,
            pin::none);
}

TEST_F(ReaderTest, LanguageSuffixes) {
  const struct {
    const char* source;
    const char* lang;
    const char* stripbase;
    const char* striplangbase;
  } cases[] = {
      {"post.en.xml", "de en", "post.en", "post"},
      {"dir/post.en.xml", "en", "post.en", "post"},
      {"a.de.en.xml", "de en", "a.de.en", "a"},
      {"a.de.en.xml", "en de", "a.de.en", "a"},
      {"a.en.de.xml", "en", "a.en.de", "a.de"},
      // Tabs separate tokens as well.
      {"a.de.en.xml", "\tde&#9;&#9;en ", "a.de.en", "a"},
      // An occurrence that is not a whole suffix is passed over.
      {"garden.en.xml", "en", "garden.en", "garden"},
      {"en.en.xml", "en", "en.en", "en"},
      {"post.english.xml", "en", "post.english", "post.english"},
      {"en.xml", "en", "en", "en"},
      {"xen.xml", "en", "xen", "xen"},
      // Only one occurrence per token is removed.
      {"a.en.en.xml", "en", "a.en.en", "a.en"},
      {"a.en.en.xml", "en en", "a.en.en", "a"},
      {"post.en.xml", "", "post.en", "post.en"},
      {"post.en.xml", "fr", "post.en", "post.en"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.source) + " / " + c.lang);
    article a = one(std::string("<article data-vorn-article='1'"
                                " data-vorn-source='") +
                    c.source + "' data-vorn-lang='" + c.lang + "'/>");
    EXPECT_EQ(a.stripbase, c.stripbase);
    EXPECT_EQ(a.striplangbase, c.striplangbase);
    EXPECT_EQ(a.fstriplangbase, "a");
  }

  // The tokens belong to one article element; on other elements the
  // attribute does nothing.
  write("post.en.xml",
        "<r><article data-vorn-article='1' data-vorn-lang='en'/>"
        "<article data-vorn-article='1'><p data-vorn-lang='en'/></article>"
        "</r>");
  list_.clear();
  ASSERT_TRUE(read("post.en.xml"));
  ASSERT_EQ(list_.size(), 2u);
  EXPECT_EQ(list_[0].striplangbase, "post");
  EXPECT_EQ(list_[1].striplangbase, "post.en");
}

TEST_F(ReaderTest, ArticleEndsAtItsOwnEndTag) {
  const struct {
    const char* doc;
    const char* articlexml;
    const char* title;
    const char* aside;
    const char* author;
  } cases[] = {
      {"<r><article data-vorn-article='1'><article>in</article>out</article>"
       "<p>after</p></r>",
       "<article data-vorn-article=\"1\"><article>in</article>out</article>",
       "Untitled article", "", "Untitled author"},
      // Also while a capture runs.
      {"<r><aside data-vorn-article='1'><aside>X</aside>tail</aside>"
       "<p>after</p></r>",
       "<aside data-vorn-article=\"1\"><aside>X</aside>tail</aside>",
       "Untitled article", "X", "Untitled author"},
      {"<r><aside data-vorn-article='1'><aside>X<aside>Y</aside></aside>"
       "tail</aside><p>after</p></r>",
       "<aside data-vorn-article=\"1\"><aside>X<aside>Y</aside></aside>"
       "tail</aside>",
       "Untitled article", "X<aside>Y</aside>", "Untitled author"},
      {"<r><address data-vorn-article='1'><address>me</address>tail"
       "</address><p>after</p></r>",
       "<address data-vorn-article=\"1\"><address>me</address>tail"
       "</address>",
       "Untitled article", "", "me"},
      {"<r><div data-vorn-article='1'><h1>T<div>in</div></h1>more</div>"
       "<p>after</p></r>",
       "<div data-vorn-article=\"1\"><h1>T<div>in</div></h1>more</div>",
       "T<div>in</div>", "", "Untitled author"},
      {"<r><div data-vorn-article='1'><aside><div><div/></div></aside>"
       "<div>x</div></div><p>after</p></r>",
       "<div data-vorn-article=\"1\"><aside><div><div></div></div></aside>"
       "<div>x</div></div>",
       "Untitled article", "<div><div></div></div>", "Untitled author"},
      // The article element itself is not looked at as a heading.
      {"<h1 data-vorn-article='1'>T<h1>U</h1></h1>",
       "<h1 data-vorn-article=\"1\">T<h1>U</h1></h1>", "U", "",
       "Untitled author"},
      // A marked element inside an article is plain content.
      {"<div data-vorn-article='1'><p data-vorn-article='1'>x</p></div>",
       "<div data-vorn-article=\"1\"><p data-vorn-article=\"1\">x</p></div>",
       "Untitled article", "", "Untitled author"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.doc);
    article a = one(c.doc);
    EXPECT_EQ(a.articlexml, c.articlexml);
    EXPECT_EQ(a.title, c.title);
    EXPECT_EQ(a.aside, c.aside);
    EXPECT_EQ(a.author, c.author);
  }
}

TEST_F(ReaderTest, SeveralArticlesAndFiles) {
  write("one.xml",
        "<r>text<div data-vorn-article='yes'>"
        "<p data-vorn-article='TRUE'><h1>First</h1></p>"
        "<p data-vorn-article='0'>no</p></div>"
        "<section data-vorn-article='True' data-vorn-tags='s'>"
        "<h1>Second</h1></section>"
        "<x data-vorn-title='outside'/></r>");
  write("two.xml", "<r><q data-vorn-article='1'>Third</q></r>");
  write("none.xml", "<r><p>nothing</p></r>");
  ASSERT_TRUE(read("one.xml"));
  ASSERT_TRUE(read("none.xml"));
  ASSERT_TRUE(read("two.xml"));
  EXPECT_EQ(err_, "");
  ASSERT_EQ(list_.size(), 3u);
  EXPECT_EQ(list_[0].titletext, "First");
  EXPECT_EQ(list_[0].articlexml,
            "<p data-vorn-article=\"TRUE\"><h1>First</h1></p>");
  EXPECT_EQ(list_[0].tags, Tags{});
  EXPECT_EQ(list_[1].titletext, "Second");
  EXPECT_EQ(list_[1].tags, Tags{"s"});
  EXPECT_EQ(list_[2].articlexml, "<q data-vorn-article=\"1\">Third</q>");
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(list_[i].order, i + 1);
    EXPECT_EQ(list_[i].fname, i < 2 ? "one.xml" : "two.xml");
  }
}

TEST_F(ReaderTest, WhitelistFiltersCapturedTags) {
  write("a.xml",
        "<article data-vorn-article='1' class='c' data-vorn-tags='t'>"
        "<h1 ID='i' style='s'>T<a HREF='x' style='s'"
        " data-vorn-title='U'>u</a></h1></article>");
  ASSERT_TRUE(read("a.xml", &atom_whitelist));
  ASSERT_EQ(list_.size(), 1u);
  const article& a = list_[0];
  EXPECT_EQ(a.articlexml,
            "<article class=\"c\"><h1 ID=\"i\">T<a HREF=\"x\">u</a></h1>"
            "</article>");
  // The attribute rules still see every attribute.
  EXPECT_EQ(a.tags, Tags{"t"});
  EXPECT_EQ(a.title, "Uu</a>");
  EXPECT_EQ(a.titletext, "Uu");
}

TEST_F(ReaderTest, FailuresKeepTheRecordsRead) {
  write("good.xml", "<p data-vorn-article='1'>ok</p>");
  write("bad.xml",
        "<r>\n<div data-vorn-article='1'>ok</div>\n"
        "<div data-vorn-article='1'><h1>t</h1>open\n</r>");
  ASSERT_TRUE(read("good.xml"));
  EXPECT_FALSE(read("bad.xml"));
  EXPECT_EQ(err_, prog() + ": bad.xml:4:2: mismatched tag (</r> closes "
                           "<div> opened at 3:0)\n");
  ASSERT_EQ(list_.size(), 3u);
  EXPECT_EQ(list_[1].fname, "bad.xml");
  EXPECT_EQ(list_[1].order, 2u);
  // The record of the open article is there, unfinished.
  EXPECT_EQ(list_[2].order, 3u);
  EXPECT_EQ(list_[2].fname, "");
  EXPECT_EQ(list_[2].title, "t");

  EXPECT_FALSE(read("missing.xml"));
  EXPECT_EQ(err_, prog() + ": missing.xml: No such file or directory\n");
  EXPECT_EQ(list_.size(), 3u);

  // The shared parser is reset for the next file.
  ASSERT_TRUE(read("good.xml"));
  EXPECT_EQ(list_.size(), 4u);
  EXPECT_EQ(list_[3].articlexml, "<p data-vorn-article=\"1\">ok</p>");
}

TEST_F(ReaderTest, ReadArticleFilesStopsAtTheFirstFailure) {
  write("a.xml", "<p data-vorn-article='1'>a</p>");
  write("c.xml", "<p data-vorn-article='1'>c</p>");
  std::string a = "a.xml", b = "b.xml", c = "c.xml";
  char* paths[] = {a.data(), b.data(), c.data()};
  testing::internal::CaptureStderr();
  EXPECT_FALSE(read_article_files(parser_, paths, list_));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            prog() + ": b.xml: No such file or directory\n");
  EXPECT_EQ(list_.size(), 1u);
  article_records all;
  char* good[] = {c.data(), a.data()};
  EXPECT_TRUE(read_article_files(parser_, good, all));
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].fname, "c.xml");
  EXPECT_EQ(all[1].fname, "a.xml");
}

}  // namespace
