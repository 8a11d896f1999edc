#include "markup/output.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// What FN prints through a writer.
std::string printed(const std::function<void(Writer&)>& fn) {
  std::string s;
  Writer w;
  w.open_string(&s);
  fn(w);
  EXPECT_TRUE(w.close());
  return s;
}

std::string copy_tag(const char* name, std::vector<const char*> atts) {
  atts.push_back(nullptr);
  return printed([&](Writer& w) { emit_start_tag_copy(w, name, atts.data()); });
}

TEST(Xmlbool, Table) {
  const struct {
    const char* s;
    bool want;
  } cases[] = {
      {"1", true},       {"true", true},    {"TRUE", true},
      {"True", true},    {"tRuE", true},    {"yes", false},
      {"0", false},      {"", false},       {"true ", false},
      {" true", false},  {"on", false},     {"false", false},
      {"truee", false},  {"tru", false},    {"t", false},
      {"11", false},     {"01", false},     {" 1", false},
      {"1 ", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.s + "\"");
    EXPECT_EQ(xmlbool(c.s), c.want);
  }
}

TEST(EmitEscaped, Modes) {
  const std::string mixed = "a \"b\" & <c>\td\\";
  const struct {
    std::string text;
    int esc;
    std::string want;
  } cases[] = {
      {mixed, ESCAPE_PLAIN, mixed},
      {mixed, ESCAPE_SPACES, "a\\ \"b\"\\ &\\ <c>\td\\"},
      {mixed, ESCAPE_ATTRIBUTE, "a &quot;b&quot; & <c>\td\\"},
      {mixed, ESCAPE_ATTRIBUTE | ESCAPE_SPACES,
       "a\\ &quot;b&quot;\\ &\\ <c>\td\\"},
      {"two words", ESCAPE_SPACES, "two\\ words"},
      {"  ", ESCAPE_SPACES, "\\ \\ "},
      {"\"\"", ESCAPE_ATTRIBUTE, "&quot;&quot;"},
      {"\" \"", ESCAPE_ATTRIBUTE | ESCAPE_SPACES, "&quot;\\ &quot;"},
      {"&amp; &lt;", ESCAPE_ATTRIBUTE, "&amp; &lt;"},
      {"", ESCAPE_PLAIN, ""},
      {"", ESCAPE_SPACES, ""},
      {"", ESCAPE_ATTRIBUTE | ESCAPE_SPACES, ""},
      // Bytes are opaque: UTF-8 and NUL pass through.
      {"\xc3\xa9 \xe2\x80\x9c", ESCAPE_SPACES, "\xc3\xa9\\ \xe2\x80\x9c"},
      {"\xc3\xa9\"", ESCAPE_ATTRIBUTE, "\xc3\xa9&quot;"},
      {std::string("a\0 b", 4), ESCAPE_SPACES, std::string("a\0\\ b", 5)},
      {std::string("a\0\"", 3), ESCAPE_PLAIN, std::string("a\0\"", 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.esc << " text \""
                                    << c.text << "\"");
    EXPECT_EQ(printed([&](Writer& w) { emit_escaped(w, c.text, c.esc); }),
              c.want);
  }
}

TEST(EmitEscaped, PrintsOnlyTheGivenLength) {
  const char text[] = "a b\"c d";
  EXPECT_EQ(printed([&](Writer& w) {
              emit_escaped(w, std::string_view(text, 4), ESCAPE_SPACES);
            }),
            "a\\ b\"");
}

TEST(EmitAttributeValue, Escaping) {
  EXPECT_EQ(printed([](Writer& w) { emit_attribute_value(w, "\"&<>'x"); }),
            "&quot;&amp;<>'x");
  EXPECT_EQ(printed([](Writer& w) { emit_attribute_value(w, "&amp;"); }),
            "&amp;amp;");
  EXPECT_EQ(printed([](Writer& w) { emit_attribute_value(w, ""); }), "");
}

TEST(EmitXmlEscaped, Escaping) {
  EXPECT_EQ(printed([](Writer& w) { emit_xml_escaped(w, "a\"&<>'b"); }),
            "a&quot;&amp;&lt;&gt;'b");
  EXPECT_EQ(printed([](Writer& w) { emit_xml_escaped(w, "&amp;"); }),
            "&amp;amp;");
  EXPECT_EQ(printed([](Writer& w) { emit_xml_escaped(w, "plain"); }), "plain");
  EXPECT_EQ(printed([](Writer& w) { emit_xml_escaped(w, ""); }), "");
}

TEST(EmitStartTag, Table) {
  EXPECT_EQ(printed([](Writer& w) { emit_start_tag(w, "ul"); }), "<ul>");
  EXPECT_EQ(printed([](Writer& w) { emit_start_tag(w, "br"); }), "<br />");
  EXPECT_EQ(printed([](Writer& w) { emit_start_tag(w, "BR"); }), "<BR>");
  EXPECT_EQ(printed([](Writer& w) { emit_start_tag(w, "a", {{"href", "x"}}); }),
            "<a href=\"x\">");
  EXPECT_EQ(printed([](Writer& w) {
              emit_start_tag(w, "div", {{"data-vorn-permlink", "1"},
                                        {"class", "p q"}});
            }),
            "<div data-vorn-permlink=\"1\" class=\"p q\">");
  EXPECT_EQ(printed([](Writer& w) {
              emit_start_tag(w, "a", {{"title", "\"&<"}, {"href", ""}});
            }),
            "<a title=\"&quot;&amp;<\" href=\"\">");
  EXPECT_EQ(printed([](Writer& w) {
              emit_start_tag(w, "img", {{"src", "i.png"}, {"alt", "A"}});
            }),
            "<img src=\"i.png\" alt=\"A\" />");
}

TEST(EmitStartTagCopy, CopiesAttributes) {
  const struct {
    const char* name;
    std::vector<const char*> atts;
    const char* want;
  } cases[] = {
      {"p", {}, "<p>"},
      {"hr", {}, "<hr />"},
      {"img", {"src", "a.png", "alt", "x"}, "<img src=\"a.png\" alt=\"x\" />"},
      {"a", {"href", "?a=1&b=2", "title", "say \"hi\" <now>"},
       "<a href=\"?a=1&amp;b=2\" title=\"say &quot;hi&quot; <now>\">"},
      {"Img", {"src", "s"}, "<Img src=\"s\">"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.want);
    EXPECT_EQ(copy_tag(c.name, c.atts), c.want);
  }
}

TEST(EmitStartTagCopy, DropsATrueIgnOnce) {
  const struct {
    const char* attr;
    const char* value;
    bool dropped;
  } cases[] = {
      {"data-vorn-ign-once", "TRUE", true},
      {"data-vorn-ign-once", "true", true},
      {"data-vorn-ign-once", "1", true},
      {"data-vorn-ign-once", "tRuE", true},
      {"data-vorn-ign-once", "0", false},
      {"data-vorn-ign-once", "false", false},
      {"data-vorn-ign-once", "yes", false},
      {"data-vorn-ign-once", "", false},
      {"data-vorn-ign-once", " true", false},
      {"DATA-VORN-IGN-ONCE", "true", false},
      {"Data-vorn-ign-once", "1", false},
      {"data-vorn-ign-once2", "1", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.attr << "=" << c.value);
    std::string kept = std::string("<p id=\"i\" ") + c.attr + "=\"" + c.value +
                       "\" class=\"c\">";
    EXPECT_EQ(copy_tag("p", {"id", "i", c.attr, c.value, "class", "c"}),
              c.dropped ? "<p id=\"i\" class=\"c\">" : kept);
  }
  EXPECT_EQ(copy_tag("br", {"data-vorn-ign-once", "1"}), "<br />");
}

TEST(EmitEndTag, Table) {
  const struct {
    const char* name;
    const char* want;
  } cases[] = {
      {"br", ""},        {"img", ""},         {"wbr", ""},
      {"hr", ""},        {"meta", ""},        {"BR", "</BR>"},
      {"IMG", "</IMG>"}, {"Wbr", "</Wbr>"},   {"p", "</p>"},
      {"ul", "</ul>"},   {"h1", "</h1>"},     {"svg:g", "</svg:g>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(printed([&](Writer& w) { emit_end_tag(w, c.name); }), c.want);
  }
}

}  // namespace
