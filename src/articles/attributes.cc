#include "articles/attributes.h"

#include <algorithm>

#include "base/dates.h"
#include "markup/escape.h"
#include "base/diagnostics.h"
#include "base/input.h"
#include "base/keywords.h"
#include "base/markers.h"

namespace {

// Sets one of the three captured values (markup and text) from an
// attribute value.  The feed prints them as they are, so there the '&',
// '<' and '>' that the parser decoded are escaped again.
void set_pair(const article_progress& pr, std::string& markup,
              std::optional<std::string>& text, bool& has,
              const char* value) {
  if (pr.for_feed) {
    markup.clear();
    string_sink sink{markup};
    write_escaped(sink, value, kEscapeXmlText);
  } else {
    markup = value;
  }
  text = markup;
  has = true;
}

void set_key(article_progress& pr, const char* key, const char* value) {
  auto [it, added] = pr.setindex.try_emplace(key, pr.art->setmap.size());
  if (added)
    pr.art->setmap.emplace_back(key, value);
  else
    pr.art->setmap[it->second].second = value;
}

// The attributes that set one of the article's values, in pairs: the
// plain one always, the const one only while the value is missing.
struct value_attribute {
  keyword plain, constant;
  unsigned seen;  // the value, as its SEEN_* flag
};

constexpr value_attribute kValueAttributes[] = {
    {KW_TITLE, KW_CONST_TITLE, SEEN_TITLE},
    {KW_ASIDE, KW_CONST_ASIDE, SEEN_ASIDE},
    {KW_AUTHOR, KW_CONST_AUTHOR, SEEN_AUTHOR},
    {KW_IMG, KW_CONST_IMG, SEEN_IMAGE},
    {KW_DATETIME, KW_CONST_DATETIME, SEEN_DATE},
};

const value_attribute* value_attribute_of(keyword id) {
  for (const value_attribute& v : kValueAttributes)
    if (id == v.plain || id == v.constant) return &v;
  return nullptr;
}

// Sets the value that SEEN names from an attribute value.
void set_value(article_progress& pr, unsigned seen, const char* value,
               XML_Parser parser, const char* path) {
  article& a = *pr.art;
  switch (seen) {
    case SEEN_TITLE: set_pair(pr, a.title, a.titletext, pr.has_title, value); break;
    case SEEN_ASIDE: set_pair(pr, a.aside, a.asidetext, pr.has_aside, value); break;
    case SEEN_AUTHOR:
      set_pair(pr, a.author, a.authortext, pr.has_author, value);
      break;
    case SEEN_IMAGE: a.img = value; break;
    case SEEN_DATE:
      if (!set_article_date(pr, value, parser)) return;  // not found
      break;
  }
  pr.seen |= seen;
}

}  // namespace

bool set_article_date(article_progress& pr, const char* value,
                      XML_Parser parser) {
  size_t line = static_cast<size_t>(XML_GetCurrentLineNumber(parser));
  size_t column = static_cast<size_t>(XML_GetCurrentColumnNumber(parser));
  int64_t t;
  int isdatetime;
  if (!parse_datetime(value, t, isdatetime)) {
    pr.bad_dates.push_back({line, column, value});
    return false;
  }
  pr.dated = true;
  pr.dated_line = line;
  pr.dated_column = column;
  pr.art->time = t;
  pr.art->isdatetime = isdatetime;
  return true;
}

void report_bad_dates(const article_progress& pr, const char* path,
                      bool clamped) {
  if (pr.bad_dates.empty()) return;
  std::string instead =
      pr.dated ? "the date/time at " + std::to_string(pr.dated_line) + ":" +
                     std::to_string(pr.dated_column)
      : clamped ? "SOURCE_DATE_EPOCH"
                : "the file's change time";
  for (const bad_date& d : pr.bad_dates)
    warn_at_position(path, d.line, d.column,
                     "malformed date/time %s (write 2026-04-01 or "
                     "2026-04-01T10:00:00Z); the article is dated by %s",
                     in_quotes(d.value).c_str(), instead.c_str());
}

void apply_article_attributes(article_progress& pr, const char** atts,
                              XML_Parser parser, const char* path) {
  check_markers(parser, path, atts);
  article& a = *pr.art;
  for (; atts[0]; atts += 2) {
    const char* name = atts[0];
    const char* value = atts[1];
    if ((name[0] | 0x20) != 'd') continue;  // not data-vorn-*, in any case
    keyword id = keyword_lookup(name);
    if (const value_attribute* v = value_attribute_of(id)) {
      if (id == v->plain || !(pr.seen & v->seen))
        set_value(pr, v->seen, value, parser, path);
      continue;
    }
    switch (id) {
      case KW_SOURCE:
        a.src = value;
        pr.has_src = true;
        break;
      case KW_TAGS:
        taglist_parse(a.tags, pr.tagseen, value, nullptr);
        break;
      case KW_UNKNOWN:
        if (ascii_iprefix(name, "data-vorn-set-") && name[14] != '\0')
          set_key(pr, name + 14, value);
        break;
      default:
        break;
    }
  }
}

void taglist_parse(std::vector<std::string>& words,
                   std::unordered_set<std::string>& seen,
                   std::string_view text, const article* subst) {
  size_t i = 0;
  const size_t n = text.size();
  while (true) {
    while (i < n && text[i] == ' ') ++i;
    if (i == n) return;
    size_t start = i;
    while (i < n && !(text[i] == ' ' && text[i - 1] != '\\')) ++i;
    std::string word(text.substr(start, i - start));
    if (seen.count(word)) continue;

    std::string stored = word;
    static constexpr std::string_view kGet = "${vorn-get|";
    size_t open;
    if (subst && (open = word.find(kGet)) != std::string::npos) {
      size_t key = open + kGet.size();
      size_t close = word.find('}', key);
      if (close != std::string::npos) {
        const std::string* v =
            setmap_get(*subst, std::string_view(word).substr(key, close - key));
        stored = word.substr(0, open);
        if (v) stored += *v;
        stored.append(word, close + 1);
      }
    }
    seen.insert(stored);
    words.push_back(std::move(stored));
  }
}
