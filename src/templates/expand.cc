#include "templates/expand.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>

#include "articles/article.h"
#include "base/dates.h"
#include "markup/escape.h"
#include "markup/output.h"
#include "base/keywords.h"
#include "base/version.h"

namespace {

// Which article of the list a variable reads.
enum class whose { current, first, last, next, prev };

// What a variable prints.
enum class var_kind {
  field,     // a string field of an article (whose)
  optional,  // a string field of the current article that may be absent
  url,
  count,     // one of the counts or positions
  pos_pct,
  pos_frac,
  utc_date,  // the current article's date in UTC, in a fixed format
  datetime_fmt,
  get,
  get_escaped,
  has,
  next_has,
  prev_has,
  version,
  tags,
};

struct var_def;

// One expansion under way: where it writes, the place and the escaping.
struct expander {
  Writer& f;
  const expansion& at;
  int esc;        // for values
  bool tag_text;  // template text of a start tag: escape '&' and '"'

  size_t abssz() const { return at.articles.size(); }
  const article& current() const { return *at.articles[at.abspos]; }
  const article& pick(whose w) const {
    const size_t n = abssz(), i = at.abspos;
    switch (w) {
      case whose::current: break;
      case whose::first: return *at.articles[0];
      case whose::last: return *at.articles[n - 1];
      case whose::next: return *at.articles[i == 0 ? n - 1 : i - 1];
      case whose::prev: return *at.articles[(i + 1) % n];
    }
    return current();
  }

  void literal(std::string_view s) const {
    if (tag_text)
      emit_attribute_value(f, s);
    else
      emit_escaped(f, s, esc);
  }
  void value(std::string_view s) const { emit_escaped(f, s, esc); }
  void number(size_t n) const {
    char buf[32];
    int len = std::snprintf(buf, sizeof buf, "%zu", n);
    value(std::string_view(buf, static_cast<size_t>(len)));
  }
  void ratio(var_kind kind) const;
  void formatted_date(const char* format) const;
  void key_value(var_kind kind, std::string_view key) const;
  void tags(std::string_view prefix) const;
  void print(const var_def& v, std::string_view arg, bool has_arg) const;
};

// One of the counts or positions of an expansion.
using count_of = size_t (*)(const expansion&);

constexpr size_t abscount(const expansion& e) { return e.articles.size(); }
constexpr size_t abspos(const expansion& e) { return e.abspos; }
constexpr size_t setcount(const expansion& e) { return e.setsz; }
constexpr size_t position(const expansion& e) { return e.pos; }
constexpr size_t realcount(const expansion& e) { return e.realsz; }

struct var_def {
  std::string_view name;
  var_kind kind;
  std::string article::*field = nullptr;
  whose of = whose::current;
  std::optional<std::string> article::*optional = nullptr;
  count_of count = nullptr;
  size_t plus = 0;  // positions print from 1
  const char* format = nullptr;
};

constexpr var_def field(std::string_view name, std::string article::*f,
                        whose of = whose::current) {
  return {.name = name, .kind = var_kind::field, .field = f, .of = of};
}
constexpr var_def optional(std::string_view name,
                           std::optional<std::string> article::*f) {
  return {.name = name, .kind = var_kind::optional, .optional = f};
}
constexpr var_def count(std::string_view name, count_of m,
                        size_t plus = 0) {
  return {.name = name, .kind = var_kind::count, .count = m, .plus = plus};
}
constexpr var_def other(std::string_view name, var_kind kind,
                        const char* format = nullptr) {
  return {.name = name, .kind = kind, .format = format};
}

// Every variable, sorted by name for bisection.
constexpr var_def kVars[] = {
    count("vorn-abscount", abscount),
    count("vorn-abspos", abspos, 1),
    field("vorn-aside", &article::aside),
    optional("vorn-asidetext", &article::asidetext),
    field("vorn-author", &article::author),
    optional("vorn-authortext", &article::authortext),
    field("vorn-base", &article::base),
    count("vorn-count", realcount),
    other("vorn-date", var_kind::utc_date, kUtcDate),
    other("vorn-datetime", var_kind::utc_date, kUtcDateTime),
    other("vorn-datetime-fmt", var_kind::datetime_fmt),
    field("vorn-first-base", &article::base, whose::first),
    field("vorn-first-stripbase", &article::stripbase, whose::first),
    field("vorn-first-striplangbase", &article::striplangbase, whose::first),
    other("vorn-get", var_kind::get),
    other("vorn-get-escaped", var_kind::get_escaped),
    other("vorn-has", var_kind::has),
    optional("vorn-img", &article::img),
    field("vorn-last-base", &article::base, whose::last),
    field("vorn-last-stripbase", &article::stripbase, whose::last),
    field("vorn-last-striplangbase", &article::striplangbase, whose::last),
    field("vorn-next-base", &article::base, whose::next),
    other("vorn-next-has", var_kind::next_has),
    field("vorn-next-stripbase", &article::stripbase, whose::next),
    field("vorn-next-striplangbase", &article::striplangbase, whose::next),
    count("vorn-pos", position, 1),
    other("vorn-pos-frac", var_kind::pos_frac),
    other("vorn-pos-pct", var_kind::pos_pct),
    field("vorn-prev-base", &article::base, whose::prev),
    other("vorn-prev-has", var_kind::prev_has),
    field("vorn-prev-stripbase", &article::stripbase, whose::prev),
    field("vorn-prev-striplangbase", &article::striplangbase, whose::prev),
    field("vorn-real", &article::fname),
    field("vorn-realbase", &article::fbase),
    count("vorn-setcount", setcount),
    field("vorn-source", &article::src),
    field("vorn-stripbase", &article::stripbase),
    field("vorn-striplangbase", &article::striplangbase),
    field("vorn-striplangrealbase", &article::fstriplangbase),
    field("vorn-striprealbase", &article::fstripbase),
    other("vorn-tags", var_kind::tags),
    field("vorn-title", &article::title),
    optional("vorn-titletext", &article::titletext),
    other("vorn-url", var_kind::url),
    other("vorn-version", var_kind::version),
};

static_assert(std::is_sorted(std::begin(kVars), std::end(kVars),
                             [](const var_def& a, const var_def& b) {
                               return a.name < b.name;
                             }));

const var_def* find_var(std::string_view name) {
  auto it = std::lower_bound(
      std::begin(kVars), std::end(kVars), name,
      [](const var_def& v, std::string_view n) { return v.name < n; });
  return it == std::end(kVars) || it->name != name ? nullptr : it;
}

// ${vorn-pos-pct} and ${vorn-pos-frac}: the position from 1 over the
// count, as a percentage (double precision) or a fraction (single).
void expander::ratio(var_kind kind) const {
  char buf[64];
  int len = kind == var_kind::pos_pct
      ? std::snprintf(buf, sizeof buf, "%.0f",
                      static_cast<double>(at.pos + 1) * 100 /
                          static_cast<double>(at.realsz))
      : std::snprintf(buf, sizeof buf, "%.3f",
                      static_cast<double>(static_cast<float>(at.pos + 1) /
                                          static_cast<float>(at.realsz)));
  value(std::string_view(buf, static_cast<size_t>(len)));
}

// Prints the current article's date with FORMAT, whole, however long the
// result: a date and time in the local time zone, a date alone (midnight
// UTC of the day written) in UTC, so that it shows that day in every time
// zone.
void expander::formatted_date(const char* format) const {
  const article& a = current();
  time_t t = static_cast<time_t>(a.time);
  struct tm tm;
  if (!(a.isdatetime ? localtime_r(&t, &tm) : gmtime_r(&t, &tm))) return;
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

// ${vorn-get|KEY}, ${vorn-get-escaped|KEY} and ${vorn-has|KEY}.
void expander::key_value(var_kind kind, std::string_view key) const {
  const std::string* v = setmap_get(current(), key);
  if (!v) return;
  if (kind == var_kind::get) {
    value(*v);
  } else if (kind == var_kind::get_escaped) {
    emit_escaped(f, *v, esc | ESCAPE_SPACES);
  } else if (!v->empty()) {
    f.write("vorn-has-");
    f.write(key);
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

void expander::print(const var_def& v, std::string_view arg,
                     bool has_arg) const {
  const article& a = current();
  switch (v.kind) {
    case var_kind::field: value(pick(v.of).*v.field); break;
    case var_kind::optional:
      if (const auto& s = a.*v.optional) value(*s);
      break;
    case var_kind::url: if (at.url) value(at.url); break;
    case var_kind::count: number(v.count(at) + v.plus); break;
    case var_kind::pos_pct:
    case var_kind::pos_frac: ratio(v.kind); break;
    case var_kind::utc_date: {
      date_buffer buf;
      value(format_utc(a.time, v.format, buf));
      break;
    }
    case var_kind::datetime_fmt:
      if (!has_arg || arg.empty() || arg == "auto")
        formatted_date(a.isdatetime ? "%c" : "%x");
      else
        formatted_date(std::string(arg).c_str());
      break;
    case var_kind::get:
    case var_kind::get_escaped:
    case var_kind::has:
      if (has_arg) key_value(v.kind, arg);
      break;
    case var_kind::next_has: if (at.abspos > 0) f.write("vorn-next-has"); break;
    case var_kind::prev_has:
      if (at.abspos + 1 < abssz()) f.write("vorn-prev-has");
      break;
    case var_kind::version: f.write(kVersion); break;
    case var_kind::tags: tags(has_arg ? arg : std::string_view()); break;
  }
}

// Walks S: LITERAL(text) for the text between variables and
// VARIABLE(definition, argument, has argument) for each variable, in order;
// a name that is no variable has a null definition.
template <class Literal, class Variable>
void scan(std::string_view s, Literal literal, Variable variable) {
  size_t at = 0;
  while (at < s.size()) {
    size_t open = s.find("${", at);
    if (open == std::string_view::npos) break;
    size_t close = s.find('}', open + 2);
    if (close == std::string_view::npos) break;
    literal(s.substr(at, open - at));
    std::string_view inner = s.substr(open + 2, close - open - 2);
    size_t bar = inner.find('|');
    bool has_arg = bar != std::string_view::npos;
    std::string_view arg = has_arg ? inner.substr(bar + 1) : std::string_view();
    variable(find_var(inner.substr(0, bar)), arg, has_arg);
    at = close + 1;
  }
  literal(s.substr(at));
}

void expand(const expander& x, std::string_view s) {
  assert(x.at.realsz > 0 && "realsz > 0");
  scan(
      s, [&x](std::string_view text) { x.literal(text); },
      [&x](const var_def* v, std::string_view arg, bool has_arg) {
        if (v) x.print(*v, arg, has_arg);
      });
}

}  // namespace

void xmltextx(Writer& f, std::string_view s, const expansion& at) {
  expand({f, at, at.esc, false}, s);
}

void xmltextx_attribute(Writer& f, std::string_view s, const expansion& at) {
  expand({f, at, ESCAPE_ATTRIBUTE, true}, s);
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

bool expands_page_url(std::string_view s) {
  bool found = false;
  scan(
      s, [](std::string_view) {},
      [&found](const var_def* v, std::string_view, bool) {
        found = found || (v && v->kind == var_kind::url);
      });
  return found;
}
