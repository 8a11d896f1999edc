#include "markup/capture.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace {

// An attribute list as the parser hands it over: name, value, ..., null.
struct Atts {
  explicit Atts(std::vector<const char*> v) : list(std::move(v)) {
    list.push_back(nullptr);
  }
  const char** get() { return list.data(); }
  std::vector<const char*> list;
};

std::string start_tag(const char* name, std::vector<const char*> atts,
                      whitelist_t whitelist = nullptr) {
  std::string buf;
  Atts a(std::move(atts));
  capture_start_tag(buf, name, a.get(), whitelist);
  return buf;
}

TEST(CaptureText, AppendsBytesUnchanged) {
  std::string buf;
  capture_text(buf, "abc", 3);
  EXPECT_EQ(buf, "abc");
  EXPECT_EQ(buf.size(), 3u);
  capture_text(buf, "&lt;&amp;\"x\"", 12);
  EXPECT_EQ(buf, "abc&lt;&amp;\"x\"");
  // Only the first LEN bytes, NUL bytes included.
  capture_text(buf, "de\0fgh", 4);
  EXPECT_EQ(buf, std::string("abc&lt;&amp;\"x\"de\0f", 19));
}

TEST(CaptureText, NothingForZeroOrNegativeLengths) {
  std::string buf;
  capture_text(buf, "abc", 0);
  EXPECT_EQ(buf, "");
  capture_text(buf, "abc", -1);
  EXPECT_EQ(buf, "");
  buf = "x";
  capture_text(buf, "abc", -5);
  EXPECT_EQ(buf, "x");
}

TEST(CaptureStartTag, Table) {
  const struct {
    const char* name;
    std::vector<const char*> atts;
    const char* want;
  } cases[] = {
      {"p", {}, "<p>"},
      {"br", {}, "<br/>"},
      {"BR", {}, "<BR>"},
      {"img", {"src", "a.png", "alt", "A"}, "<img src=\"a.png\" alt=\"A\"/>"},
      {"a", {"href", "x", "class", "y"}, "<a href=\"x\" class=\"y\">"},
      {"a", {"class", "y", "href", "x"}, "<a class=\"y\" href=\"x\">"},
      {"p", {"title", "\"&<>'"}, "<p title=\"&quot;&amp;<>'\">"},
      {"p", {"title", "a&&b\"\"c"}, "<p title=\"a&amp;&amp;b&quot;&quot;c\">"},
      {"p", {"title", ""}, "<p title=\"\">"},
      {"p", {"title", "\xc3\xa9t\xc3\xa9"}, "<p title=\"\xc3\xa9t\xc3\xa9\">"},
      {"svg:g", {"xlink:href", "#x"}, "<svg:g xlink:href=\"#x\">"},
      {"data-vorn-img", {}, "<data-vorn-img>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want);
    EXPECT_EQ(start_tag(c.name, c.atts), c.want);
  }
}

TEST(CaptureStartTag, AllVoidElements) {
  for (const char* name :
       {"area", "base", "br", "col", "command", "embed", "hr", "img", "input",
        "keygen", "link", "meta", "param", "source", "track", "wbr"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(start_tag(name, {"id", "i"}),
              std::string("<") + name + " id=\"i\"/>");
    std::string buf = "x";
    capture_end_tag(buf, name);
    EXPECT_EQ(buf, "x");
  }
}

TEST(CaptureStartTag, Whitelist) {
  // Matched without regard to case, written as in the source; the element
  // name is never filtered.
  EXPECT_EQ(start_tag("a",
                      {"HREF", "x", "style", "s", "data-vorn-tags", "t"},
                      &atom_whitelist),
            "<a HREF=\"x\">");
  EXPECT_EQ(start_tag("img",
                      {"data-vorn-img", "i", "SrcSet", "a 1x", "src", "s",
                       "onclick", "f()", "width", "1"},
                      &atom_whitelist),
            "<img SrcSet=\"a 1x\" src=\"s\" width=\"1\"/>");
  EXPECT_EQ(start_tag("zz", {"hrefx", "1", "hre", "2"}, &atom_whitelist),
            "<zz>");

  const attribute_names empty = {nullptr, 0};
  EXPECT_EQ(start_tag("a", {"href", "x", "id", "y"}, &empty), "<a>");
  EXPECT_EQ(start_tag("br", {"class", "x"}, &empty), "<br/>");

  // Names before, between and after the entries, and prefixes of them.
  const std::string_view own_names[] = {"data-x", "id"};
  const attribute_names own = {own_names, 2};
  EXPECT_EQ(start_tag("p", {"id", "1", "class", "2", "DATA-X", "3", "I", "4",
                            "IDS", "5", "zz", "6", "data-", "7", "", "8"},
                      &own),
            "<p id=\"1\" DATA-X=\"3\">");
}

TEST(CaptureStartTag, ValuesEscapedForTheFeed) {
  // Read for the feed, a '<' in a value is escaped too: XML does not allow
  // it there.
  const char* atts[] = {"title", "a<b & \"c\" >", nullptr};
  std::string buf;
  capture_start_tag(buf, "p", atts, nullptr, kEscapeFeedAttribute);
  EXPECT_EQ(buf, "<p title=\"a&lt;b &amp; &quot;c&quot; >\">");
  buf.clear();
  capture_start_tag(buf, "p", atts, nullptr);
  EXPECT_EQ(buf, "<p title=\"a<b &amp; &quot;c&quot; >\">");
}

TEST(AtomWhitelist, KeepsPlainHtmlAttributesOnly) {
  // Every name on the list keeps its attribute, in any letter case; the
  // list names each attribute once, in lower case.
  std::set<std::string> names;
  for (size_t i = 0; i < atom_whitelist.count; ++i) {
    std::string name(atom_whitelist.names[i]);
    SCOPED_TRACE(name);
    EXPECT_TRUE(names.insert(name).second) << "listed twice";
    for (char c : name) EXPECT_TRUE(std::islower(c) || c == '-');
    EXPECT_EQ(start_tag("e", {name.c_str(), "v"}, &atom_whitelist),
              "<e " + name + "=\"v\">");
  }
  // What a feed needs of links, images, tables and text direction stays.
  for (const char* kept : {"href", "src", "srcset", "alt", "title", "class",
                           "id", "lang", "dir", "datetime", "colspan", "cite"})
    EXPECT_TRUE(names.count(kept)) << kept;
  // Styles, scripts and every data-* attribute go.
  for (const char* dropped : {"style", "onclick", "onload", "data-vorn-tags",
                              "data-x", "xmlns", "contenteditable"})
    EXPECT_FALSE(names.count(dropped)) << dropped;
}

TEST(CaptureEndTag, Table) {
  const struct {
    const char* name;
    const char* want;
  } cases[] = {
      {"p", "</p>"},       {"div", "</div>"},   {"BR", "</BR>"},
      {"Img", "</Img>"},   {"br", ""},          {"img", ""},
      {"wbr", ""},         {"h1", "</h1>"},     {"svg:g", "</svg:g>"},
      {"article", "</article>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string buf = "<x>";
    capture_end_tag(buf, c.name);
    EXPECT_EQ(buf, std::string("<x>") + c.want);
  }
}

TEST(Capture, BuildsUpOneString) {
  std::string buf;
  Atts a({"class", "c"});
  Atts none({});
  capture_start_tag(buf, "p", a.get(), nullptr);
  capture_text(buf, "one &amp; two", 13);
  capture_start_tag(buf, "br", none.get(), nullptr);
  capture_end_tag(buf, "br");
  capture_end_tag(buf, "p");
  EXPECT_EQ(buf, "<p class=\"c\">one &amp; two<br/></p>");
  EXPECT_EQ(std::string(buf.c_str()), buf);  // NUL-terminated view
}

TEST(CaptureAttributeValue, Escaping) {
  const struct {
    const char* in;
    const char* want;
  } cases[] = {
      {"", ""},
      {"plain", "plain"},
      {"\"", "&quot;"},
      {"&", "&amp;"},
      {"&amp;", "&amp;amp;"},
      {"<>'", "<>'"},
      {"a\"b&c", "a&quot;b&amp;c"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    std::string buf = "=";
    capture_attribute_value(buf, c.in);
    EXPECT_EQ(buf, std::string("=") + c.want);
  }
}

}  // namespace
