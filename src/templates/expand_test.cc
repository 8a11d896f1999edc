#include "templates/expand.h"

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/version.h"
#include "markup/output.h"
#include "markup/writer.h"

namespace {

// 2024-03-05T06:07:08Z and midnight UTC of the same day.
constexpr int64_t kMoment = 1709618828;
constexpr int64_t kMidnight = 1709596800;

// An article as the reader would leave it for in/STEM.de.xml with the
// source name s/STEM-src.en.xml and the language token en, so that every
// name variable prints a value no other one prints.
article make_article(const std::string& stem) {
  article a;
  a.fname = "in/" + stem + ".de.xml";
  a.stripfname = stem + ".de.xml";
  a.fbase = "in/" + stem + ".de";
  a.fstripbase = stem + ".de";
  a.fstriplangbase = stem + ".de";
  a.src = "s/" + stem + "-src.en.xml";
  a.base = "s/" + stem + "-src.en";
  a.stripsrc = stem + "-src.en.xml";
  a.stripbase = stem + "-src.en";
  a.striplangbase = stem + "-src";
  a.title = "<em>" + stem + "</em> & \"q\"";
  a.titletext = stem + " & \"q\"";
  a.aside = "An <b>aside</b>";
  a.asidetext = "An aside";
  a.author = "<a href=\"mailto:x\">Ann</a>";
  a.authortext = "Ann";
  a.time = kMoment;
  a.isdatetime = 1;
  a.articlexml = "<article>" + stem + "</article>";
  a.img = "img/" + stem + ".png";
  return a;
}

// Runs xmltextx into a string.
std::string expand(std::string_view s, const expansion& at) {
  std::string out;
  Writer w;
  w.open_string(&out);
  xmltextx(w, s, at);
  w.close();
  return out;
}

// The same for the article at ABSPOS, seen alone (counts and position 1).
std::string expand(std::string_view s, article_list list, size_t abspos,
                   int esc = ESCAPE_PLAIN, const char* url = nullptr) {
  return expand(s, {.url = url, .articles = list, .abspos = abspos,
                    .esc = esc});
}

std::string start_tag(const char* name, std::vector<const char*> atts,
                      article_list list, size_t abspos,
                      const char* url = nullptr) {
  atts.push_back(nullptr);
  std::string out;
  Writer w;
  w.open_string(&out);
  emit_start_tag_expanded(w, name, atts.data(), page_of(list, abspos, url));
  w.close();
  return out;
}

// Sets TZ for the life of the object and restores the previous value.
class ScopedTz {
 public:
  explicit ScopedTz(const char* tz) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    setenv("TZ", tz, 1);
    tzset();
  }
  ~ScopedTz() {
    if (old_)
      setenv("TZ", old_->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  std::optional<std::string> old_;
};

struct Case {
  const char* in;
  const char* out;
};

class ExpandTest : public ::testing::Test {
 protected:
  ExpandTest()
      : a_(make_article("alpha")),
        b_(make_article("beta")),
        c_(make_article("gamma")) {
    three_ = {&a_, &b_, &c_};
  }
  article_list three() const { return article_list(three_); }

  article a_, b_, c_;
  std::vector<const article*> three_;
};

TEST_F(ExpandTest, StringsOfTheCurrentArticle) {
  const Case cases[] = {
      {"${vorn-title}", "<em>beta</em> & \"q\""},
      {"${vorn-titletext}", "beta & \"q\""},
      {"${vorn-aside}", "An <b>aside</b>"},
      {"${vorn-asidetext}", "An aside"},
      {"${vorn-author}", "<a href=\"mailto:x\">Ann</a>"},
      {"${vorn-authortext}", "Ann"},
      {"${vorn-source}", "s/beta-src.en.xml"},
      {"${vorn-base}", "s/beta-src.en"},
      {"${vorn-stripbase}", "beta-src.en"},
      {"${vorn-striplangbase}", "beta-src"},
      {"${vorn-real}", "in/beta.de.xml"},
      {"${vorn-realbase}", "in/beta.de"},
      {"${vorn-striprealbase}", "beta.de"},
      {"${vorn-striplangrealbase}", "beta.de"},
      {"${vorn-img}", "img/beta.png"},
      {"${vorn-version}", kVersion},
      // Text around and between variables is printed as it stands.
      {"<p>${vorn-stripbase}, ${vorn-authortext}.</p>",
       "<p>beta-src.en, Ann.</p>"},
      {"${vorn-striplangbase}${vorn-striplangbase}", "beta-srcbeta-src"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(expand(c.in, three(), 1), c.out) << c.in;
}

TEST_F(ExpandTest, AbsentStringsPrintNothing) {
  b_.titletext.reset();
  b_.asidetext.reset();
  b_.authortext.reset();
  b_.img.reset();
  EXPECT_EQ(expand("[${vorn-titletext}|${vorn-asidetext}|${vorn-authortext}|"
                   "${vorn-img}]",
                   three(), 1),
            "[|||]");
}

TEST_F(ExpandTest, Url) {
  EXPECT_EQ(expand("<${vorn-url}>", three(), 1, ESCAPE_PLAIN, "out/b.html"),
            "<out/b.html>");
  EXPECT_EQ(expand("<${vorn-url}>", three(), 1, ESCAPE_PLAIN, nullptr), "<>");
  EXPECT_EQ(expand("${vorn-url}", three(), 1, ESCAPE_ATTRIBUTE, "a\"b.html"),
            "a&quot;b.html");
}

// The twelve neighbour variables and the two markers.  Next is the article
// before the current one and wraps to the last; previous is the one after
// it and wraps to the first; the markers never wrap.
TEST(ExpandsPageUrl, OnlyTheVariableCounts) {
  const struct {
    const char* text;
    bool want;
  } cases[] = {
      {"<a href=\"${vorn-url}\">x</a>", true},
      {"${vorn-url|arg}", true},
      {"${vorn-title} ${vorn-url}", true},
      {"", false},
      {"vorn-url", false},
      {"${vorn-urlx}", false},
      {"$vorn-url}", false},
      {"${vorn-get|vorn-url}", false},
      {"${vorn-url", false},
      {"${vorn-base}.html", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(expands_page_url(c.text), c.want) << c.text;
}

TEST_F(ExpandTest, Neighbours) {
  const char* kAll =
      "${vorn-first-base} ${vorn-first-stripbase} ${vorn-first-striplangbase}"
      "|${vorn-last-base} ${vorn-last-stripbase} ${vorn-last-striplangbase}"
      "|${vorn-next-base} ${vorn-next-stripbase} ${vorn-next-striplangbase}"
      "|${vorn-prev-base} ${vorn-prev-stripbase} ${vorn-prev-striplangbase}"
      "|${vorn-next-has}|${vorn-prev-has}";
  const std::string first = "s/alpha-src.en alpha-src.en alpha-src";
  const std::string middle = "s/beta-src.en beta-src.en beta-src";
  const std::string last = "s/gamma-src.en gamma-src.en gamma-src";
  struct {
    size_t abspos;
    std::string out;
  } cases[] = {
      {0, first + "|" + last + "|" + last + "|" + middle + "||vorn-prev-has"},
      {1, first + "|" + last + "|" + first + "|" + last +
              "|vorn-next-has|vorn-prev-has"},
      {2, first + "|" + last + "|" + middle + "|" + first +
              "|vorn-next-has|"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(expand(kAll, three(), c.abspos), c.out) << c.abspos;

  // In a list of one every neighbour is the article itself and neither
  // marker prints.
  const article* one[] = {&b_};
  EXPECT_EQ(expand(kAll, article_list(one), 0),
            middle + "|" + middle + "|" + middle + "|" + middle + "||");
}

TEST_F(ExpandTest, PositionsCountsAndRatios) {
  const char* kAll =
      "${vorn-pos} ${vorn-pos-pct} ${vorn-pos-frac} ${vorn-count} "
      "${vorn-abspos} ${vorn-abscount} ${vorn-setcount}";
  struct {
    size_t setsz, abspos, pos, realsz;
    const char* out;
  } cases[] = {
      {5, 1, 2, 8, "3 38 0.375 8 2 3 5"},  // 37.5 goes to the even 38
      {5, 1, 0, 8, "1 12 0.125 8 2 3 5"},  // 12.5 goes to the even 12
      {2, 0, 0, 3, "1 33 0.333 3 1 3 2"},
      {2, 2, 1, 3, "2 67 0.667 3 3 3 2"},
      {1, 0, 0, 1, "1 100 1.000 1 1 3 1"},
      // 3/80 is 0.0375: as a float quotient it lies just above the tie and
      // prints 0.038; a double quotient would print 0.037.
      {80, 0, 2, 80, "3 4 0.038 80 1 3 80"},
      {12345678901, 2, 12345678900, 12345678901,
       "12345678901 100 1.000 12345678901 3 3 12345678901"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(expand(kAll, {.articles = three(), .setsz = c.setsz,
                            .abspos = c.abspos, .pos = c.pos,
                            .realsz = c.realsz}),
              c.out)
        << c.pos << " of " << c.realsz;
}

TEST_F(ExpandTest, Dates) {
  article dateonly = make_article("d");
  dateonly.time = kMidnight;
  dateonly.isdatetime = 0;
  const article* timed[] = {&b_};
  const article* dated[] = {&dateonly};
  const std::string long_format =
      "%Y-%m-%d %H:%M:%S, a format well over thirty-one bytes";
  std::string many_years;
  for (int i = 0; i < 500; ++i) many_years += "%Y";

  struct {
    const char* tz;
    article_list list;
    std::string in;
    std::string out;
  } cases[] = {
      // UTC forms do not follow the time zone.
      {"UTC", timed, "${vorn-date} ${vorn-datetime}",
       "2024-03-05 2024-03-05T06:07:08Z"},
      {"America/New_York", timed, "${vorn-date} ${vorn-datetime}",
       "2024-03-05 2024-03-05T06:07:08Z"},
      {"America/New_York", dated, "${vorn-date} ${vorn-datetime}",
       "2024-03-05 2024-03-05T00:00:00Z"},
      // The local form does for a date and time (%c); a date alone (%x)
      // is the day written, in UTC, in every time zone.
      {"UTC", timed, "${vorn-datetime-fmt}", "Tue Mar  5 06:07:08 2024"},
      {"America/New_York", timed, "${vorn-datetime-fmt}",
       "Tue Mar  5 01:07:08 2024"},
      {"America/New_York", timed, "${vorn-datetime-fmt|auto}",
       "Tue Mar  5 01:07:08 2024"},
      {"America/New_York", timed, "${vorn-datetime-fmt|}",
       "Tue Mar  5 01:07:08 2024"},
      {"UTC", dated, "${vorn-datetime-fmt}", "03/05/24"},
      {"America/New_York", dated, "${vorn-datetime-fmt}", "03/05/24"},
      {"America/New_York", dated, "${vorn-datetime-fmt|auto}", "03/05/24"},
      {"America/New_York", dated, "${vorn-datetime-fmt|}", "03/05/24"},
      {"Pacific/Kiritimati", dated, "${vorn-datetime-fmt}", "03/05/24"},
      // Only the lower-case word selects the default.
      {"America/New_York", timed, "${vorn-datetime-fmt|AUTO}", "AUTO"},
      {"America/New_York", timed, "${vorn-datetime-fmt|%Y-%m-%d %H:%M %Z}",
       "2024-03-05 01:07 EST"},
      {"Asia/Tokyo", dated, "${vorn-datetime-fmt|%F %R}", "2024-03-05 00:00"},
      {"America/New_York", dated, "${vorn-datetime-fmt|%F %R %Z}",
       "2024-03-05 00:00 GMT"},
      // Results longer than 31 bytes are printed whole.
      {"America/New_York", timed, "${vorn-datetime-fmt|" + long_format + "}",
       "2024-03-05 01:07:08, a format well over thirty-one bytes"},
      {"UTC", timed, "${vorn-datetime-fmt|" + many_years + "}", [] {
         std::string s;
         for (int i = 0; i < 500; ++i) s += "2024";
         return s;
       }()},
  };
  for (const auto& c : cases) {
    ScopedTz tz(c.tz);
    EXPECT_EQ(expand(c.in, c.list, 0), c.out) << c.tz << " " << c.in;
  }
}

TEST_F(ExpandTest, DatesAreEscapedAsValues) {
  ScopedTz tz("UTC");
  EXPECT_EQ(expand("${vorn-datetime-fmt|\"%Y\" %m}", three(), 1,
                   ESCAPE_ATTRIBUTE),
            "&quot;2024&quot; 03");
}

TEST_F(ExpandTest, KeyValueSet) {
  b_.setmap = {
      {"k", "two words"},
      {"empty", ""},
      {"q", "say \"hi\" & <b>"},
      {"K", "upper"},
      {"a|b", "pipe"},
      {"x\"y", "1"},
      {"loop", "${vorn-title}"},
  };
  const Case plain[] = {
      {"${vorn-get|k}", "two words"},
      {"${vorn-get-escaped|k}", "two\\ words"},
      {"${vorn-has|k}", "vorn-has-k"},
      {"${vorn-get|K}", "upper"},
      {"${vorn-get|q}", "say \"hi\" & <b>"},
      {"${vorn-get-escaped|q}", "say\\ \"hi\"\\ &\\ <b>"},
      {"${vorn-get|a|b}", "pipe"},  // the argument runs to the "}"
      {"${vorn-has|x\"y}", "vorn-has-x\"y"},
      // Values are printed, never scanned again.
      {"${vorn-get|loop}", "${vorn-title}"},
      // Empty values, missing keys and missing arguments print nothing.
      {"[${vorn-get|empty}${vorn-get-escaped|empty}${vorn-has|empty}]", "[]"},
      {"[${vorn-get|none}${vorn-get-escaped|none}${vorn-has|none}]", "[]"},
      {"[${vorn-get}${vorn-get-escaped}${vorn-has}]", "[]"},
      {"[${vorn-get|}${vorn-get-escaped|}${vorn-has|}]", "[]"},
      {"[${vorn-get|k }${vorn-get| k}]", "[]"},
  };
  for (const Case& c : plain)
    EXPECT_EQ(expand(c.in, three(), 1), c.out) << c.in;

  // In attribute values a double quote becomes "&quot;"; get-escaped adds
  // the backslash before every space; has is written unescaped.
  const Case attribute[] = {
      {"${vorn-get|k}", "two words"},
      {"${vorn-get-escaped|k}", "two\\ words"},
      {"${vorn-get|q}", "say &quot;hi&quot; & <b>"},
      {"${vorn-get-escaped|q}", "say\\ &quot;hi&quot;\\ &\\ <b>"},
      {"${vorn-has|k}", "vorn-has-k"},
      {"${vorn-has|x\"y}", "vorn-has-x\"y"},
      {"[${vorn-has|empty}]", "[]"},
  };
  for (const Case& c : attribute)
    EXPECT_EQ(expand(c.in, three(), 1, ESCAPE_ATTRIBUTE), c.out) << c.in;

  // The set of the current article is used, not that of another.
  EXPECT_EQ(expand("[${vorn-get|k}]", three(), 0), "[]");
}

TEST_F(ExpandTest, Tags) {
  b_.tags = {"web", "web-dev", "x", "a\\ b", "<i>", "q\"&", "c\\d", "e\\"};
  const Case plain[] = {
      {"${vorn-tags}",
       "<span class=\"vorn-tag\">web</span>"
       "<span class=\"vorn-tag\">web-dev</span>"
       "<span class=\"vorn-tag\">x</span>"
       "<span class=\"vorn-tag\">a b</span>"
       "<span class=\"vorn-tag\">&lt;i&gt;</span>"
       "<span class=\"vorn-tag\">q&quot;&amp;</span>"
       "<span class=\"vorn-tag\">c\\d</span>"
       "<span class=\"vorn-tag\">e\\</span>"},
      {"${vorn-tags|web-}", "<span class=\"vorn-tag\">dev</span>"},
      // A tag equal to the prefix is not selected.
      {"${vorn-tags|web}", "<span class=\"vorn-tag\">-dev</span>"},
      {"${vorn-tags|x}", "<span class=\"vorn-tags-notfound\"></span>"},
      {"${vorn-tags|zz}", "<span class=\"vorn-tags-notfound\"></span>"},
      {"${vorn-tags|Web}", "<span class=\"vorn-tags-notfound\"></span>"},
      {"${vorn-tags|a}", "<span class=\"vorn-tag\"> b</span>"},
      {"${vorn-tags|<}", "<span class=\"vorn-tag\">i&gt;</span>"},
  };
  for (const Case& c : plain)
    EXPECT_EQ(expand(c.in, three(), 1), c.out) << c.in;

  // An empty argument selects every tag.
  EXPECT_EQ(expand("${vorn-tags|}", three(), 1),
            expand("${vorn-tags}", three(), 1));

  b_.tags = {"x", "q\"&"};
  EXPECT_EQ(expand("${vorn-tags}", three(), 1, ESCAPE_ATTRIBUTE),
            "<span class=&quot;vorn-tag&quot;>x</span>"
            "<span class=&quot;vorn-tag&quot;>q&quot;&amp;</span>");
  EXPECT_EQ(expand("${vorn-tags|zz}", three(), 1, ESCAPE_ATTRIBUTE),
            "<span class=&quot;vorn-tags-notfound&quot;></span>");

  b_.tags.clear();
  for (const char* in : {"${vorn-tags}", "${vorn-tags|}", "${vorn-tags|web}"})
    EXPECT_EQ(expand(in, three(), 1),
              "<span class=\"vorn-tags-notfound\"></span>")
        << in;
}

TEST_F(ExpandTest, EscapeModes) {
  // Text outside variables and the values share the mode; in plain text
  // the stored markup is printed as markup.
  const char* in = "say \"${vorn-titletext}\" & <${vorn-stripbase}>";
  EXPECT_EQ(expand(in, three(), 1, ESCAPE_PLAIN),
            "say \"beta & \"q\"\" & <beta-src.en>");
  EXPECT_EQ(expand(in, three(), 1, ESCAPE_ATTRIBUTE),
            "say &quot;beta & &quot;q&quot;&quot; & <beta-src.en>");
  EXPECT_EQ(expand(in, three(), 1, ESCAPE_SPACES),
            "say\\ \"beta\\ &\\ \"q\"\"\\ &\\ <beta-src.en>");
}

TEST_F(ExpandTest, Syntax) {
  const Case cases[] = {
      {"", ""},
      {"no variables at all", "no variables at all"},
      // Names that match nothing vanish.
      {"one ${nope} two", "one  two"},
      {"a${}b", "ab"},
      {"a${|x}b", "ab"},
      {"a${|}b", "ab"},
      {"[${vorn-title }]", "[]"},
      {"[${VORN-TITLE}]", "[]"},
      {"[${ vorn-title}]", "[]"},
      {"[${vorn-titl}]", "[]"},
      {"[${vorn-titles}]", "[]"},
      // A name that takes no argument ignores one.
      {"${vorn-stripbase|x}", "beta-src.en"},
      {"${vorn-stripbase|}", "beta-src.en"},
      // An unfinished variable and everything after it are text.
      {"a ${vorn-stripbase b", "a ${vorn-stripbase b"},
      {"${vorn-stripbase} ${vorn-stripbase", "beta-src.en ${vorn-stripbase"},
      {"${", "${"},
      {"x$", "x$"},
      {"$ {vorn-stripbase}", "$ {vorn-stripbase}"},
      {"$${vorn-stripbase}", "$beta-src.en"},
      // A lone "}" is text.
      {"a } b", "a } b"},
      {"}${vorn-stripbase}}{", "}beta-src.en}{"},
      // A second "${" before the "}" is part of the name.
      {"[${a${vorn-stripbase}}]", "[}]"},
      {"[${vorn-${vorn-stripbase}}]", "[}]"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(expand(c.in, three(), 1), c.out) << c.in;

  EXPECT_EQ(expand("x\"${vorn-stripbase \"y", three(), 1, ESCAPE_ATTRIBUTE),
            "x&quot;${vorn-stripbase &quot;y");
}

TEST_F(ExpandTest, ValuesAreNeverScannedAgain) {
  b_.title = "${vorn-stripbase}";
  b_.titletext = "${vorn-url";
  b_.aside = "}";
  EXPECT_EQ(expand("${vorn-title}|${vorn-titletext}${vorn-aside}", three(), 1,
                   ESCAPE_PLAIN, "u.html"),
            "${vorn-stripbase}|${vorn-url}");
}

TEST_F(ExpandTest, StartTagExpanded) {
  b_.setmap = {{"q", "say \"hi\" & <b>"}, {"k", "x"}};
  struct {
    const char* name;
    std::vector<const char*> atts;
    const char* url;
    std::string out;
  } cases[] = {
      {"p", {}, nullptr, "<p>"},
      {"br", {}, nullptr, "<br />"},
      {"BR", {}, nullptr, "<BR>"},
      {"img", {"src", "${vorn-img}", "alt", "${vorn-titletext}"}, nullptr,
       "<img src=\"img/beta.png\" alt=\"beta & &quot;q&quot;\" />"},
      // The template's own text: '&' and '"' escaped as in every copied
      // start tag; the values of variables: '"' only.
      {"a", {"href", "?a=1&b=\"2\"&t=${vorn-title}"}, nullptr,
       "<a href=\"?a=1&amp;b=&quot;2&quot;&amp;t=<em>beta</em> & "
       "&quot;q&quot;\">"},
      {"a", {"href", "a&${vorn-stripbase"}, nullptr,
       "<a href=\"a&amp;${vorn-stripbase\">"},
      {"a", {"href", "${vorn-url}", "title", "${nope}"}, "b.html",
       "<a href=\"b.html\" title=\"\">"},
      {"a", {"href", "[${vorn-url}]"}, nullptr, "<a href=\"[]\">"},
      {"meta",
       {"content", "${vorn-get|q}", "name", "${vorn-get-escaped|q}", "class",
        "${vorn-has|k} ${vorn-has|q}"},
       nullptr,
       "<meta content=\"say &quot;hi&quot; & <b>\" "
       "name=\"say\\ &quot;hi&quot;\\ &\\ <b>\" "
       "class=\"vorn-has-k vorn-has-q\" />"},
      // Every attribute is printed, data-vorn-ign-once and data-vorn-article
      // included.
      {"div",
       {"data-vorn-ign-once", "1", "data-vorn-article", "true", "class", "c"},
       nullptr,
       "<div data-vorn-ign-once=\"1\" data-vorn-article=\"true\" "
       "class=\"c\">"},
      // The list is the whole list and the position the current article.
      {"li",
       {"data-p",
        "${vorn-pos}/${vorn-count} ${vorn-setcount} ${vorn-abspos} "
        "${vorn-abscount} ${vorn-next-stripbase} ${vorn-prev-stripbase}"},
       nullptr,
       "<li data-p=\"2/3 3 2 3 alpha-src.en gamma-src.en\">"},
      {"li", {"class", "${vorn-tags}"}, nullptr,
       "<li class=\"<span class=&quot;vorn-tags-notfound&quot;></span>\">"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(start_tag(c.name, c.atts, three(), 1, c.url), c.out) << c.name;
}

}  // namespace
