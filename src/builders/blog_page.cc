#include "builders/blog_page.h"

#include <cassert>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "articles/attributes.h"
#include "articles/read_files.h"
#include "base/diagnostics.h"
#include "builders/navigation.h"
#include "markup/capture.h"
#include "templates/expand.h"
#include "markup/output.h"
#include "templates/template_pass.h"
#include "base/keywords.h"
#include "base/markers.h"

namespace {

// Where the pass is in the template.
enum class blog_phase {
  in_nav,   // capturing a navigation element's content
  copying,  // copying the template
  in_slot,  // skipping an article slot's content
};

// The state of one template pass.  On the blog page (current < 0) the
// template's own text is copied as it comes; on a per-article page it is
// collected between element boundaries and expanded for the current
// article.
struct blog_state {
  Writer* f = nullptr;
  const char* url = nullptr;  // the page's name; null for standard output
  XML_Parser parser = nullptr;
  const char* templ = nullptr;  // the template's path, for messages
  nav_orders* orders = nullptr;
  nav_cache* cache = nullptr;  // -L: lists kept from one page for the next
  size_t navs = 0;             // navigation elements closed on this page
  article_list list;
  size_t next = 0;   // the article the next slot takes
  size_t end = 0;    // slots take articles below this index only
  ptrdiff_t current = -1;
  nesting stack;     // the open slot or navigation element
  nav_settings nav;
  std::string navbuf;  // the open navigation element's content
  std::string held;    // per-article pages: template text not yet printed
  blog_phase phase = blog_phase::copying;

  size_t count() const { return list.size(); }
  bool per_article() const { return current >= 0; }
  const article* subst() const {
    return per_article() ? list[static_cast<size_t>(current)] : nullptr;
  }
  expansion page() const {
    return page_of(list, static_cast<size_t>(current), url);
  }
  void text(const char* p, size_t n) {
    switch (phase) {
      case blog_phase::in_nav:
        navbuf.append(p, n);
        break;
      case blog_phase::copying:
        if (per_article())
          held.append(p, n);
        else
          f->write(p, n);
        break;
      case blog_phase::in_slot:
        break;
    }
  }
  // Per-article pages: prints the held text, expanded.
  void flush() {
    if (!per_article() || held.empty()) return;
    xmltextx(*f, held, page());
    held.clear();
  }
};

blog_state& st(void* data) { return *static_cast<blog_state*>(data); }

void XMLCALL tmpl_begin(void* data, const char* name, const char** atts);

void copying(blog_state& s) {
  XML_SetElementHandler(s.parser, tmpl_begin, end_after_flush<blog_state>);
  s.phase = blog_phase::copying;
}

void XMLCALL slot_begin(void* data, const char* name, const char** atts) {
  blog_state& s = st(data);
  check_markers(s.parser, s.templ, atts);
  s.stack.enter(name);
}

void XMLCALL slot_end(void* data, const char* name) {
  blog_state& s = st(data);
  if (s.stack.leave(name)) copying(s);
}

void XMLCALL nav_begin(void* data, const char* name, const char** atts) {
  blog_state& s = st(data);
  check_markers(s.parser, s.templ, atts);
  capture_nested_start(s.stack, s.navbuf, name, atts);
}

void XMLCALL nav_end(void* data, const char* name) {
  blog_state& s = st(data);
  if (!capture_nested_end(s.stack, s.navbuf, name)) return;
  copying(s);
  if (s.cache)
    s.cache->print(*s.f, s.navs++, s.nav, name, s.navbuf, *s.orders, s.url);
  else
    nav_print_list(*s.f, s.nav, name, s.navbuf, *s.orders, s.url);
  s.navbuf.clear();
  s.nav = nav_settings{};
}

// Prints the permanent-link block of the article A just printed.
void print_permlink(Writer& f, const article& a) {
  emit_start_tag(f, "div", {{"data-vorn-permlink", "1"}});
  emit_start_tag(f, "a", {{"href", a.src}});
  f.write("permanent link");
  emit_end_tag(f, "a");
  emit_end_tag(f, "div");
  f.put('\n');
}

void open_slot(blog_state& s, const char* name, const char** atts) {
  if (attribute_is_true(atts, KW_IGN_ONCE)) {
    emit_start_tag_copy(*s.f, name, atts);
    return;
  }
  assert(!s.stack.is_open());
  s.stack.open(name);

  // A tag filter passes over, and uses up, the articles that lack its tags.
  if (const char* v = find_attribute(atts, KW_ARTICLETAG)) {
    nav_settings filter;
    taglist_parse(filter.tags, filter.tagset, v, s.subst());
    if (!filter.tags.empty())
      while (s.next < s.end && !nav_matches(filter, *s.list[s.next]))
        s.next++;
  }
  s.phase = blog_phase::in_slot;
  XML_SetElementHandler(s.parser, slot_begin, slot_end);
  if (s.next >= s.end) return;

  const article& a = *s.list[s.next];
  expansion at = {.url = s.url, .articles = s.list, .setsz = s.count(),
                  .abspos = s.next, .pos = 0, .realsz = 1};
  if (s.per_article()) {
    at.pos = static_cast<size_t>(s.current);
    at.realsz = s.count();
  }
  xmltextx(*s.f, a.articlexml, at);
  s.next++;
  if (attribute_is_true(atts, KW_PERMLINK)) print_permlink(*s.f, a);
}

void open_nav(blog_state& s, const char* name, const char** atts) {
  assert(!s.stack.is_open());
  s.stack.open(name);
  s.nav = nav_parse(atts, s.count(), s.subst());
  s.phase = blog_phase::in_nav;
  XML_SetElementHandler(s.parser, nav_begin, nav_end);
  nav_print_before(*s.f, s.nav, name, atts);
}

void XMLCALL tmpl_begin(void* data, const char* name, const char** atts) {
  blog_state& s = st(data);
  assert(!s.stack.is_open());
  check_markers(s.parser, s.templ, atts);
  s.flush();
  // The first true data-vorn-article or data-vorn-nav decides.
  for (const char** p = atts; p[0]; p += 2) {
    keyword id = keyword_lookup(p[0]);
    if ((id == KW_ARTICLE || id == KW_NAV) && xmlbool(p[1])) {
      if (id == KW_ARTICLE)
        open_slot(s, name, atts);
      else
        open_nav(s, name, atts);
      return;
    }
  }
  if (s.per_article())
    emit_start_tag_expanded(*s.f, name, atts, s.page());
  else
    emit_start_tag_copy(*s.f, name, atts);
}

constexpr template_handlers kHandlers = holding_handlers<blog_state>(tmpl_begin);

// A fresh state for a page of the pass: the blog page (CURRENT < 0) or the
// page of the article at CURRENT.
void start_page(blog_state& s, Writer& out, const char* url,
                XML_Parser parser, nav_orders& orders, ptrdiff_t current,
                nav_cache* cache = nullptr) {
  s = blog_state{};
  s.cache = cache;
  s.f = &out;
  s.url = url;
  s.parser = parser;
  s.orders = &orders;
  s.list = orders.page();
  s.current = current;
  s.end = s.count();
  if (current >= 0) {
    s.next = static_cast<size_t>(current);
    s.end = s.next + 1;
  }
}

}  // namespace

bool build_blog_page(XML_Parser parser, const request& r) {
  sorted_articles_t articles;
  if (!read_sorted_articles(parser, r.inputs, r.by, articles)) return false;
  const char* current = r.current;
  const std::vector<const article*>& ptrs = articles.sorted;
  nav_orders orders(ptrs);
  blog_state s;
  auto setup = [&](Writer& out, const char* url) {
    ptrdiff_t i = -1;
    if (current) {
      size_t at = 0;
      while (at < ptrs.size() && ptrs[at]->src != current) ++at;
      if (at == ptrs.size()) {
        report("%s: not in input list", current);
        return false;
      }
      i = static_cast<ptrdiff_t>(at);
    }
    start_page(s, out, url, parser, orders, i);
    s.templ = r.templ;
    return true;
  };
  return write_from_template(parser, r.templ, r.output, kHandlers, &s, setup);
}

bool build_standalone_pages(XML_Parser parser, const request& r) {
  sorted_articles_t articles;
  if (!read_sorted_articles(parser, r.inputs, r.by, articles)) return false;
  const std::vector<const article*>& ptrs = articles.sorted;
  template_file t;
  if (!load_template(r.templ, t)) return false;

  nav_orders orders(ptrs);
  nav_cache cache;
  blog_state s;
  // Two articles of the same source name share a page: the later one is
  // what stays, and the author is told once per name.
  std::unordered_map<std::string, bool> written;  // page -> told
  for (size_t i = 0; i < ptrs.size(); ++i) {
    std::string name = page_name(ptrs[i]->src);
    auto [it, first] = written.try_emplace(name, false);
    if (!first && !it->second) {
      report("%s: written for two articles", name.c_str());
      it->second = true;
    }
    auto setup = [&](Writer& out, const char* url) {
      start_page(s, out, url, parser, orders, static_cast<ptrdiff_t>(i),
                 &cache);
      s.templ = r.templ;
      return true;
    };
    if (!write_from_template(parser, t, name, kHandlers, &s, setup))
      return false;
  }
  return true;
}
