#include "markup/expand.h"

#include <algorithm>
#include <cassert>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "articles/attributes.h"
#include "articles/dates.h"
#include "markup/escape.h"
#include "markup/output.h"
#include "startup/keywords.h"
#include "startup/version.h"

namespace {

enum var {
  V_TITLE, V_TITLETEXT, V_ASIDE, V_ASIDETEXT, V_AUTHOR, V_AUTHORTEXT,
  V_SOURCE, V_BASE, V_STRIPBASE, V_STRIPLANGBASE, V_REAL, V_REALBASE,
  V_STRIPREALBASE, V_STRIPLANGREALBASE, V_IMG, V_URL,
  V_FIRST_BASE, V_FIRST_STRIPBASE, V_FIRST_STRIPLANGBASE,
  V_LAST_BASE, V_LAST_STRIPBASE, V_LAST_STRIPLANGBASE,
  V_NEXT_BASE, V_NEXT_STRIPBASE, V_NEXT_STRIPLANGBASE,
  V_PREV_BASE, V_PREV_STRIPBASE, V_PREV_STRIPLANGBASE,
  V_POS, V_ABSPOS, V_COUNT, V_ABSCOUNT, V_SETCOUNT, V_POS_PCT, V_POS_FRAC,
  V_DATE, V_DATETIME, V_DATETIME_FMT,
  V_GET, V_GET_ESCAPED, V_HAS,
  V_NEXT_HAS, V_PREV_HAS, V_VERSION, V_TAGS,
};

struct var_name {
  std::string_view name;
  var id;
};

// Sorted by name for bisection.
constexpr var_name kVars[] = {
    {"vorn-abscount", V_ABSCOUNT},
    {"vorn-abspos", V_ABSPOS},
    {"vorn-aside", V_ASIDE},
    {"vorn-asidetext", V_ASIDETEXT},
    {"vorn-author", V_AUTHOR},
    {"vorn-authortext", V_AUTHORTEXT},
    {"vorn-base", V_BASE},
    {"vorn-count", V_COUNT},
    {"vorn-date", V_DATE},
    {"vorn-datetime", V_DATETIME},
    {"vorn-datetime-fmt", V_DATETIME_FMT},
    {"vorn-first-base", V_FIRST_BASE},
    {"vorn-first-stripbase", V_FIRST_STRIPBASE},
    {"vorn-first-striplangbase", V_FIRST_STRIPLANGBASE},
    {"vorn-get", V_GET},
    {"vorn-get-escaped", V_GET_ESCAPED},
    {"vorn-has", V_HAS},
    {"vorn-img", V_IMG},
    {"vorn-last-base", V_LAST_BASE},
    {"vorn-last-stripbase", V_LAST_STRIPBASE},
    {"vorn-last-striplangbase", V_LAST_STRIPLANGBASE},
    {"vorn-next-base", V_NEXT_BASE},
    {"vorn-next-has", V_NEXT_HAS},
    {"vorn-next-stripbase", V_NEXT_STRIPBASE},
    {"vorn-next-striplangbase", V_NEXT_STRIPLANGBASE},
    {"vorn-pos", V_POS},
    {"vorn-pos-frac", V_POS_FRAC},
    {"vorn-pos-pct", V_POS_PCT},
    {"vorn-prev-base", V_PREV_BASE},
    {"vorn-prev-has", V_PREV_HAS},
    {"vorn-prev-stripbase", V_PREV_STRIPBASE},
    {"vorn-prev-striplangbase", V_PREV_STRIPLANGBASE},
    {"vorn-real", V_REAL},
    {"vorn-realbase", V_REALBASE},
    {"vorn-setcount", V_SETCOUNT},
    {"vorn-source", V_SOURCE},
    {"vorn-stripbase", V_STRIPBASE},
    {"vorn-striplangbase", V_STRIPLANGBASE},
    {"vorn-striplangrealbase", V_STRIPLANGREALBASE},
    {"vorn-striprealbase", V_STRIPREALBASE},
    {"vorn-tags", V_TAGS},
    {"vorn-title", V_TITLE},
    {"vorn-titletext", V_TITLETEXT},
    {"vorn-url", V_URL},
    {"vorn-version", V_VERSION},
};

static_assert(std::is_sorted(std::begin(kVars), std::end(kVars),
                             [](const var_name& a, const var_name& b) {
                               return a.name < b.name;
                             }));

bool find_var(std::string_view name, var& id) {
  auto it = std::lower_bound(
      std::begin(kVars), std::end(kVars), name,
      [](const var_name& v, std::string_view n) { return v.name < n; });
  if (it == std::end(kVars) || it->name != name) return false;
  id = it->id;
  return true;
}

// One expansion under way: where it writes, the place and the escaping.
struct expander {
  Writer& f;
  const char* url;
  article_list articles;
  size_t setsz, abssz, abspos, pos, realsz;
  int esc;          // for values
  bool tag_text;    // template text of a start tag: escape '&' and '"'

  const article& current() const { return *articles[abspos]; }
  const article& next() const {
    return *articles[abspos == 0 ? abssz - 1 : abspos - 1];
  }
  const article& prev() const { return *articles[(abspos + 1) % abssz]; }

  void literal(std::string_view s) const {
    if (tag_text)
      emit_attribute_value(f, s);
    else
      emit_escaped(f, s, esc);
  }
  void value(std::string_view s) const { emit_escaped(f, s, esc); }
  void optional(const std::optional<std::string>& s) const {
    if (s) value(*s);
  }
  void number(size_t n) const {
    char buf[32];
    int len = std::snprintf(buf, sizeof buf, "%zu", n);
    value(std::string_view(buf, static_cast<size_t>(len)));
  }
  void utc(const char* format) const;
  void local_date(const char* format) const;
  void tags(std::string_view prefix) const;
  void print(var id, std::string_view arg, bool has_arg) const;
};

// Prints the current article's date in UTC with one of the fixed formats.
void expander::utc(const char* format) const {
  date_buffer buf;
  value(format_utc(current().time, format, buf));
}

// Prints the current article's date in local time with FORMAT, whole,
// however long the result.
void expander::local_date(const char* format) const {
  time_t t = static_cast<time_t>(current().time);
  struct tm tm;
  if (!localtime_r(&t, &tm)) return;
  // A trailing space makes every result non-empty, so a zero return from
  // strftime always means the buffer was too small.
  std::string fmt = format;
  fmt += ' ';
  char small[64];
  std::string big;
  char* buf = small;
  size_t size = sizeof small;
  for (;;) {
    size_t n = strftime(buf, size, fmt.c_str(), &tm);
    if (n > 0) {
      value(std::string_view(buf, n - 1));
      return;
    }
    if (size > (fmt.size() + 1) * 1024) return;  // cannot fit anything
    size *= 4;
    big.resize(size);
    buf = big.data();
  }
}

void expander::tags(std::string_view prefix) const {
  static constexpr std::string_view kNotFound =
      "<span class=\"vorn-tags-notfound\"></span>";
  const article& a = current();
  if (a.tags.empty()) {
    value(kNotFound);
    return;
  }
  bool any = false;
  for (const std::string& tag : a.tags) {
    if (!prefix.empty() &&
        (tag.size() <= prefix.size() || tag.compare(0, prefix.size(), prefix) != 0))
      continue;
    any = true;
    // The escaped tag holds no '"' and no space that the mode could
    // escape again, so it is written as it is.
    value("<span class=\"vorn-tag\">");
    write_tag_word(f, std::string_view(tag).substr(prefix.size()), kEscapeXml);
    value("</span>");
  }
  if (!prefix.empty() && !any) value(kNotFound);
}

void expander::print(var id, std::string_view arg, bool has_arg) const {
  const article& a = current();
  switch (id) {
    case V_TITLE: value(a.title); break;
    case V_TITLETEXT: optional(a.titletext); break;
    case V_ASIDE: value(a.aside); break;
    case V_ASIDETEXT: optional(a.asidetext); break;
    case V_AUTHOR: value(a.author); break;
    case V_AUTHORTEXT: optional(a.authortext); break;
    case V_SOURCE: value(a.src); break;
    case V_BASE: value(a.base); break;
    case V_STRIPBASE: value(a.stripbase); break;
    case V_STRIPLANGBASE: value(a.striplangbase); break;
    case V_REAL: value(a.fname); break;
    case V_REALBASE: value(a.fbase); break;
    case V_STRIPREALBASE: value(a.fstripbase); break;
    case V_STRIPLANGREALBASE: value(a.fstriplangbase); break;
    case V_IMG: optional(a.img); break;
    case V_URL: if (url) value(url); break;

    case V_FIRST_BASE: value(articles[0]->base); break;
    case V_FIRST_STRIPBASE: value(articles[0]->stripbase); break;
    case V_FIRST_STRIPLANGBASE: value(articles[0]->striplangbase); break;
    case V_LAST_BASE: value(articles[abssz - 1]->base); break;
    case V_LAST_STRIPBASE: value(articles[abssz - 1]->stripbase); break;
    case V_LAST_STRIPLANGBASE: value(articles[abssz - 1]->striplangbase); break;
    case V_NEXT_BASE: value(next().base); break;
    case V_NEXT_STRIPBASE: value(next().stripbase); break;
    case V_NEXT_STRIPLANGBASE: value(next().striplangbase); break;
    case V_PREV_BASE: value(prev().base); break;
    case V_PREV_STRIPBASE: value(prev().stripbase); break;
    case V_PREV_STRIPLANGBASE: value(prev().striplangbase); break;

    case V_POS: number(pos + 1); break;
    case V_ABSPOS: number(abspos + 1); break;
    case V_COUNT: number(realsz); break;
    case V_ABSCOUNT: number(abssz); break;
    case V_SETCOUNT: number(setsz); break;
    case V_POS_PCT:
    case V_POS_FRAC: {
      char buf[64];
      int len = id == V_POS_PCT
          ? std::snprintf(buf, sizeof buf, "%.0f",
                          static_cast<double>(pos + 1) * 100 /
                              static_cast<double>(realsz))
          : std::snprintf(buf, sizeof buf, "%.3f",
                          static_cast<double>(static_cast<float>(pos + 1) /
                                              static_cast<float>(realsz)));
      value(std::string_view(buf, static_cast<size_t>(len)));
      break;
    }

    case V_DATE: utc(kUtcDate); break;
    case V_DATETIME: utc(kUtcDateTime); break;
    case V_DATETIME_FMT:
      if (!has_arg || arg.empty() || arg == "auto")
        local_date(a.isdatetime ? "%c" : "%x");
      else
        local_date(std::string(arg).c_str());
      break;

    case V_GET:
    case V_GET_ESCAPED:
    case V_HAS: {
      const std::string* v = has_arg ? setmap_get(a, arg) : nullptr;
      if (!v) break;
      if (id == V_GET) {
        value(*v);
      } else if (id == V_GET_ESCAPED) {
        emit_escaped(f, *v, esc | ESCAPE_SPACES);
      } else if (!v->empty()) {
        f.write("vorn-has-");
        f.write(arg);
      }
      break;
    }

    case V_NEXT_HAS: if (abspos > 0) f.write("vorn-next-has"); break;
    case V_PREV_HAS: if (abspos + 1 < abssz) f.write("vorn-prev-has"); break;
    case V_VERSION: f.write(kVersion); break;
    case V_TAGS: tags(has_arg ? arg : std::string_view()); break;
  }
}

void expand(const expander& x, std::string_view s) {
  assert(x.realsz > 0 && "realsz > 0");
  size_t at = 0;
  while (at < s.size()) {
    size_t open = s.find("${", at);
    if (open == std::string_view::npos) break;
    size_t close = s.find('}', open + 2);
    if (close == std::string_view::npos) break;
    x.literal(s.substr(at, open - at));
    std::string_view inner = s.substr(open + 2, close - open - 2);
    size_t bar = inner.find('|');
    std::string_view name = inner.substr(0, bar);
    bool has_arg = bar != std::string_view::npos;
    std::string_view arg = has_arg ? inner.substr(bar + 1) : std::string_view();
    var id;
    if (find_var(name, id)) x.print(id, arg, has_arg);
    at = close + 1;
  }
  x.literal(s.substr(at));
}

expander expander_for(Writer& f, const expansion& at, int esc,
                      bool tag_text) {
  return {f,         at.url,    at.articles, at.setsz,  at.articles.size(),
          at.abspos, at.pos,    at.realsz,   esc,       tag_text};
}

}  // namespace

void xmltextx(Writer& f, std::string_view s, const expansion& at) {
  expand(expander_for(f, at, at.esc, false), s);
}

void xmltextx_attribute(Writer& f, std::string_view s, const expansion& at) {
  expand(expander_for(f, at, ESCAPE_ATTRIBUTE, true), s);
}

void emit_start_tag_expanded(Writer& f, const char* name, const char** atts,
                             const expansion& at) {
  emit_tag_open(f, name);
  for (; atts[0]; atts += 2) {
    f.put(' ');
    f.write(atts[0]);
    f.write("=\"");
    xmltextx_attribute(f, atts[1], at);
    f.put('"');
  }
  emit_tag_close(f, name);
}
