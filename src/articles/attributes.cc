#include "articles/attributes.h"

#include <cstring>

#include "articles/dates.h"
#include "articles/feedsafe.h"
#include "startup/input.h"
#include "startup/keywords.h"

namespace {

// Sets one of the three captured values (markup and text) from an
// attribute value.  The feed prints them as they are, so there the '&'
// and '<' that the parser decoded are escaped again.
void set_pair(const article_progress& pr, std::string& markup,
              std::optional<std::string>& text, bool& has,
              const char* value) {
  if (pr.for_feed) {
    markup.clear();
    append_xml_text(markup, value);
  } else {
    markup = value;
  }
  text = markup;
  has = true;
}

void set_date(article_progress& pr, const char* value, XML_Parser parser,
              const char* path) {
  int64_t t;
  int isdatetime;
  if (!parse_datetime(value, t, isdatetime)) {
    warn_at(parser, path, "malformed RFC 3339 date/time");
    return;
  }
  pr.seen |= SEEN_DATE;
  pr.dated = true;
  pr.art->time = t;
  pr.art->isdatetime = isdatetime;
}

void set_key(article_progress& pr, const char* key, const char* value) {
  auto [it, added] = pr.setindex.try_emplace(key, pr.art->setmap.size());
  if (added)
    pr.art->setmap.emplace_back(key, value);
  else
    pr.art->setmap[it->second].second = value;
}

}  // namespace

void apply_article_attributes(article_progress& pr, const char** atts,
                              XML_Parser parser, const char* path) {
  article& a = *pr.art;
  for (; atts[0]; atts += 2) {
    const char* name = atts[0];
    const char* value = atts[1];
    if ((name[0] | 0x20) != 'd') continue;  // not data-vorn-*, in any case
    switch (keyword_lookup(name)) {
      case KW_CONST_TITLE:
        if (pr.seen & SEEN_TITLE) break;
        [[fallthrough]];
      case KW_TITLE:
        set_pair(pr, a.title, a.titletext, pr.has_title, value);
        pr.seen |= SEEN_TITLE;
        break;
      case KW_CONST_ASIDE:
        if (pr.seen & SEEN_ASIDE) break;
        [[fallthrough]];
      case KW_ASIDE:
        set_pair(pr, a.aside, a.asidetext, pr.has_aside, value);
        pr.seen |= SEEN_ASIDE;
        break;
      case KW_CONST_AUTHOR:
        if (pr.seen & SEEN_AUTHOR) break;
        [[fallthrough]];
      case KW_AUTHOR:
        set_pair(pr, a.author, a.authortext, pr.has_author, value);
        pr.seen |= SEEN_AUTHOR;
        break;
      case KW_CONST_IMG:
        if (pr.seen & SEEN_IMAGE) break;
        [[fallthrough]];
      case KW_IMG:
        a.img = value;
        pr.seen |= SEEN_IMAGE;
        break;
      case KW_CONST_DATETIME:
        if (pr.seen & SEEN_DATE) break;
        [[fallthrough]];
      case KW_DATETIME:
        set_date(pr, value, parser, path);
        break;
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

const std::string* setmap_get(const article& a, std::string_view key) {
  for (const auto& kv : a.setmap)
    if (kv.first == key) return &kv.second;
  return nullptr;
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
