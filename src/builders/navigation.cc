#include "builders/navigation.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "articles/attributes.h"
#include "base/dates.h"
#include "articles/sort.h"
#include "markup/output.h"
#include "base/keywords.h"

namespace {

nav_element_style element_style(const char* v) {
  if (std::strcmp(v, "keep-strip") == 0) return nav_element_style::keep_strip;
  if (std::strcmp(v, "repeat-strip") == 0)
    return nav_element_style::repeat_strip;
  if (std::strcmp(v, "discard") == 0) return nav_element_style::discard;
  return nav_element_style::standard;
}

nav_content_style content_style(const char* v) {
  if (std::strcmp(v, "summarise") == 0 || std::strcmp(v, "summarize") == 0)
    return nav_content_style::summarise;
  if (std::strcmp(v, "keep") == 0) return nav_content_style::keep;
  if (std::strcmp(v, "list-keep") == 0) return nav_content_style::list_keep;
  return nav_content_style::standard;
}

}  // namespace

size_t nav_number(const char* value, size_t count) {
  long long v = std::strtoll(value, nullptr, 10);
  if (v < 0 || static_cast<unsigned long long>(v) > count) return count;
  return static_cast<size_t>(v);
}

nav_settings nav_parse(const char** atts, size_t count,
                       const article* subst) {
  nav_settings nav;
  nav.size = count;
  const char* sort = nullptr;
  for (; atts[0]; atts += 2) {
    const char* v = atts[1];
    switch (keyword_lookup(atts[0])) {
      case KW_NAVSTART:
        nav.start = nav_number(v, count);
        if (nav.start != 0) nav.start--;
        break;
      case KW_NAVSZ:
        nav.size = nav_number(v, count);
        break;
      case KW_NAVTAG:
        taglist_parse(nav.tags, nav.tagset, v, subst);
        break;
      case KW_NAVSORT:
        sort = v;
        break;
      case KW_NAVSTYLE_ELEMENT:
        nav.element_style = element_style(v);
        break;
      case KW_NAVSTYLE_CONTENT:
        nav.content_style = content_style(v);
        break;
      case KW_NAVCONTENT:
        nav.element_style = nav_element_style::standard;
        nav.content_style = xmlbool(v) ? nav_content_style::list_keep
                                       : nav_content_style::standard;
        break;
      case KW_NAVXML:
        nav.element_style = xmlbool(v) ? nav_element_style::discard
                                       : nav_element_style::standard;
        nav.content_style = xmlbool(v) ? nav_content_style::keep
                                       : nav_content_style::standard;
        break;
      default:
        break;
    }
  }
  if (sort && sort_parse(sort, nav.by)) nav.sort_given = true;
  return nav;
}

namespace {

bool in_list(const nav_settings& nav) {
  return nav.content_style == nav_content_style::standard ||
         nav.content_style == nav_content_style::list_keep;
}

bool repeated(const nav_settings& nav) {
  return nav.element_style == nav_element_style::repeat_strip;
}

// "DATE: <a href="SRC">TITLE</a>", the title as the article wrote it.
void date_line(Writer& f, const article& a) {
  date_buffer buf;
  f.write(format_utc(a.time, kUtcDate, buf));
  f.write(": ");
  emit_start_tag(f, "a", {{"href", a.src}});
  if (a.titletext) f.write(*a.titletext);
  emit_end_tag(f, "a");
}

}  // namespace

bool nav_matches(const nav_settings& nav, const article& a) {
  if (nav.tags.empty()) return true;
  for (const std::string& tag : a.tags)
    if (nav.tagset.count(tag)) return true;
  return false;
}

void nav_print_before(Writer& f, const nav_settings& nav, const char* name,
                      const char** atts) {
  if (nav.element_style == nav_element_style::standard)
    emit_start_tag_copy(f, name, atts);
  else if (nav.element_style == nav_element_style::keep_strip)
    emit_start_tag(f, name);
  if (in_list(nav)) emit_start_tag(f, "ul");
}

article_list nav_orders::sorted(sort_order by) {
  size_t i = static_cast<size_t>(by);
  if (!made_[i]) {
    sorted_[i].assign(list_.begin(), list_.end());
    sort_articles(sorted_[i], by);
    made_[i] = true;
  }
  return sorted_[i];
}

void nav_print_list(Writer& f, const nav_settings& nav, const char* name,
                    std::string_view content, nav_orders& orders,
                    const char* url) {
  article_list list = nav.sort_given ? orders.sorted(nav.by) : orders.page();
  const size_t count = list.size();

  // Pass over the first START matching articles.
  size_t from = 0, passed = 0;
  while (passed < nav.start && from < count)
    if (nav_matches(nav, *list[from++])) passed++;

  const bool keep = nav.content_style == nav_content_style::keep ||
                    nav.content_style == nav_content_style::list_keep;
  if (passed == nav.start) {
    // Only the expanded content prints the counts; the date lines need
    // not look past the last item.
    size_t setsz = 0;
    if (keep && nav.tags.empty())
      setsz = count - from;
    else if (keep)
      for (size_t i = from; i < count; ++i)
        if (nav_matches(nav, *list[i])) setsz++;
    const size_t items = keep ? std::min(setsz, nav.size) : nav.size;

    size_t shown = 0;
    for (size_t i = from; i < count && shown < items; ++i) {
      if (!nav_matches(nav, *list[i])) continue;
      if (in_list(nav)) emit_start_tag(f, "li");
      if (repeated(nav)) emit_start_tag(f, name);
      if (keep)
        xmltextx(f, content, {.url = url, .articles = list, .setsz = setsz,
                              .abspos = i, .pos = shown, .realsz = items});
      else
        date_line(f, *list[i]);
      if (repeated(nav)) emit_end_tag(f, name);
      if (in_list(nav)) emit_end_tag(f, "li");
      shown++;
    }
  }

  if (in_list(nav)) emit_end_tag(f, "ul");
  if (nav.element_style == nav_element_style::standard ||
      nav.element_style == nav_element_style::keep_strip)
    emit_end_tag(f, name);
}

void nav_cache::print(Writer& f, size_t n, const nav_settings& nav,
                      const char* name, std::string_view content,
                      nav_orders& orders, const char* url) {
  if (expands_page_url(content)) {
    nav_print_list(f, nav, name, content, orders, url);
    return;
  }
  if (lists_.size() <= n) lists_.resize(n + 1);
  list& l = lists_[n];
  if (!l.kept || l.tags != nav.tags) {
    l.bytes.clear();
    Writer into;
    into.open_string(&l.bytes);
    nav_print_list(into, nav, name, content, orders, url);
    into.close();
    l.tags = nav.tags;
    l.kept = true;
  }
  f.write(l.bytes);
}
