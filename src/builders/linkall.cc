#include "builders/linkall.h"

#include <cassert>
#include <cstring>
#include <err.h>
#include <string>
#include <unordered_set>
#include <vector>

#include "articles/attributes.h"
#include "articles/reader.h"
#include "articles/sort.h"
#include "builders/navigation.h"
#include "markup/capture.h"
#include "markup/expand.h"
#include "markup/output.h"
#include "startup/input.h"
#include "startup/keywords.h"

namespace {

enum pass_mode { MODE_NAV, MODE_COPY, MODE_SLOT };

// The state of one template pass.  On the blog page (current < 0) the
// template's own text is copied as it comes; on a per-article page it is
// collected between element boundaries and expanded for the current
// article.
struct blog_state {
  Writer* f = nullptr;
  const char* url = nullptr;  // the page's name; null for standard output
  XML_Parser parser = nullptr;
  nav_orders* orders = nullptr;
  article_list list;
  size_t next = 0;   // the article the next slot takes
  size_t end = 0;    // slots take articles below this index only
  ptrdiff_t current = -1;
  size_t stack = 0;  // nesting of elements named like the open slot or nav
  std::string stacktag;
  nav_settings nav;
  std::string navbuf;  // the open navigation element's content
  std::string text;    // per-article pages: template text not yet printed
  int mode = MODE_COPY;

  size_t count() const { return list.size(); }
  bool per_article() const { return current >= 0; }
  const article* subst() const {
    return per_article() ? list[static_cast<size_t>(current)] : nullptr;
  }
};

blog_state& st(void* data) { return *static_cast<blog_state*>(data); }

void XMLCALL tmpl_begin(void* data, const char* name, const char** atts);
void XMLCALL tmpl_end(void* data, const char* name);

void flush(blog_state& s) {
  if (!s.per_article() || s.text.empty()) return;
  xmltextx(*s.f, s.text, s.url, s.list, s.count(), s.count(),
           static_cast<size_t>(s.current), static_cast<size_t>(s.current),
           s.count(), ESCAPE_PLAIN);
  s.text.clear();
}

void route_text(blog_state& s, const char* text, size_t len) {
  switch (s.mode) {
    case MODE_NAV:
      s.navbuf.append(text, len);
      break;
    case MODE_COPY:
      if (s.per_article())
        s.text.append(text, len);
      else
        s.f->write(text, len);
      break;
    default:
      break;
  }
}

void XMLCALL text_handler(void* data, const char* text, int len) {
  if (len > 0) route_text(st(data), text, static_cast<size_t>(len));
}

void XMLCALL skipped_entity(void* data, const char* name, int) {
  blog_state& s = st(data);
  route_text(s, "&", 1);
  route_text(s, name, std::strlen(name));
  route_text(s, ";", 1);
}

void XMLCALL slot_begin(void* data, const char* name, const char**) {
  blog_state& s = st(data);
  if (s.stacktag == name) s.stack++;
}

void XMLCALL slot_end(void* data, const char* name) {
  blog_state& s = st(data);
  if (s.stacktag != name || --s.stack > 0) return;
  XML_SetElementHandler(s.parser, tmpl_begin, tmpl_end);
  s.mode = MODE_COPY;
  s.stacktag.clear();
}

void XMLCALL nav_begin(void* data, const char* name, const char** atts) {
  blog_state& s = st(data);
  if (s.stacktag == name) s.stack++;
  capture_start_tag(s.navbuf, name, atts, nullptr);
}

void XMLCALL nav_end(void* data, const char* name) {
  blog_state& s = st(data);
  if (s.stacktag != name || --s.stack > 0) {
    capture_end_tag(s.navbuf, name);
    return;
  }
  s.mode = MODE_COPY;
  XML_SetElementHandler(s.parser, tmpl_begin, tmpl_end);
  nav_print_list(*s.f, s.nav, name, s.navbuf, *s.orders, s.url);
  s.stacktag.clear();
  s.navbuf.clear();
  s.nav = nav_settings{};
}

const char* find_attribute(const char** atts, int id) {
  for (; atts[0]; atts += 2)
    if (keyword_lookup(atts[0]) == id) return atts[1];
  return nullptr;
}

void open_slot(blog_state& s, const char* name, const char** atts) {
  if (const char* v = find_attribute(atts, KW_IGN_ONCE); v && xmlbool(v)) {
    emit_start_tag_copy(*s.f, name, atts);
    return;
  }
  assert(s.stacktag.empty());
  s.stacktag = name;

  // A tag filter passes over, and uses up, the articles that lack its tags.
  if (const char* v = find_attribute(atts, KW_ARTICLETAG)) {
    nav_settings filter;
    taglist_parse(filter.tags, filter.tagset, v, s.subst());
    if (!filter.tags.empty())
      while (s.next < s.end && !nav_matches(filter, *s.list[s.next]))
        s.next++;
  }
  s.stack = 1;
  s.mode = MODE_SLOT;
  XML_SetElementHandler(s.parser, slot_begin, slot_end);
  if (s.next >= s.end) return;

  const article& a = *s.list[s.next];
  size_t pos = s.per_article() ? static_cast<size_t>(s.current) : 0;
  size_t realsz = s.per_article() ? s.count() : 1;
  xmltextx(*s.f, a.articlexml, s.url, s.list, s.count(), s.count(), s.next,
           pos, realsz, ESCAPE_PLAIN);
  s.next++;
  if (const char* v = find_attribute(atts, KW_PERMLINK); v && xmlbool(v)) {
    emit_start_tag(*s.f, "div", {{"data-vorn-permlink", "1"}});
    emit_start_tag(*s.f, "a", {{"href", a.src}});
    s.f->write("permanent link");
    emit_end_tag(*s.f, "a");
    emit_end_tag(*s.f, "div");
    s.f->put('\n');
  }
}

void open_nav(blog_state& s, const char* name, const char** atts) {
  assert(s.stacktag.empty());
  s.stacktag = name;
  s.nav = nav_parse(atts, s.count(), s.subst());
  s.stack = 1;
  s.mode = MODE_NAV;
  XML_SetElementHandler(s.parser, nav_begin, nav_end);
  nav_print_before(*s.f, s.nav, name, atts);
}

void XMLCALL tmpl_begin(void* data, const char* name, const char** atts) {
  blog_state& s = st(data);
  assert(s.stack == 0);
  flush(s);
  // The first true data-vorn-article or data-vorn-nav decides.
  for (const char** p = atts; p[0]; p += 2) {
    int id = keyword_lookup(p[0]);
    if ((id == KW_ARTICLE || id == KW_NAV) && xmlbool(p[1])) {
      if (id == KW_ARTICLE)
        open_slot(s, name, atts);
      else
        open_nav(s, name, atts);
      return;
    }
  }
  if (s.per_article())
    emit_start_tag_expanded(*s.f, name, atts, s.url, s.list, s.count(),
                            static_cast<size_t>(s.current));
  else
    emit_start_tag_copy(*s.f, name, atts);
}

void XMLCALL tmpl_end(void* data, const char* name) {
  blog_state& s = st(data);
  flush(s);
  emit_end_tag(*s.f, name);
}

// One template pass into F.  Returns false after reporting a parse error.
bool write_page(blog_state& s, const char* templ, const mapped_input& in) {
  begin_pass(s.parser, &s, true);
  XML_SetDefaultHandlerExpand(s.parser, text_handler);
  XML_SetSkippedEntityHandler(s.parser, skipped_entity);
  XML_SetElementHandler(s.parser, tmpl_begin, tmpl_end);
  if (!run_pass(s.parser, templ, in)) return false;
  flush(s);
  s.f->put('\n');
  return true;
}

}  // namespace

bool build_blog_page(XML_Parser parser, const char* templ,
                     const char* current, int count, char* const* inputs,
                     const char* output, int order) {
  std::vector<article> articles;
  std::vector<const article*> ptrs;
  if (!read_sorted_articles(parser, count, inputs, order, articles, ptrs)) return false;

  Writer f;
  if (!open_output(f, output)) return false;
  bool ok = false;
  mapped_input in;
  if (map_input(templ, in)) {
    nav_orders orders(ptrs);
    blog_state s;
    s.f = &f;
    s.url = std::strcmp(output, "-") == 0 ? nullptr : output;
    s.parser = parser;
    s.orders = &orders;
    s.list = ptrs;
    s.end = ptrs.size();
    ok = true;
    if (current) {
      size_t i = 0;
      while (i < ptrs.size() && ptrs[i]->src != current) ++i;
      if (i == ptrs.size()) {
        warnx("%s: not in input list", current);
        ok = false;
      } else {
        s.current = static_cast<ptrdiff_t>(i);
        s.next = i;
        s.end = i + 1;
      }
    }
    if (ok) ok = write_page(s, templ, in);
  }
  return close_output(f) && ok;
}

bool build_standalone_pages(XML_Parser parser, const char* templ, int count,
                            char* const* inputs, int order) {
  std::vector<article> articles;
  std::vector<const article*> ptrs;
  if (!read_sorted_articles(parser, count, inputs, order, articles, ptrs)) return false;
  mapped_input in;
  if (!map_input(templ, in)) return false;

  nav_orders orders(ptrs);
  for (size_t i = 0; i < ptrs.size(); ++i) {
    std::string name = page_name(ptrs[i]->src);
    Writer f;
    if (!open_output(f, name)) return false;
    blog_state s;
    s.f = &f;
    s.url = name.c_str();
    s.parser = parser;
    s.orders = &orders;
    s.list = ptrs;
    s.current = static_cast<ptrdiff_t>(i);
    s.next = i;
    s.end = i + 1;
    bool ok = write_page(s, templ, in);
    if (!close_output(f) || !ok) return false;
  }
  return true;
}
