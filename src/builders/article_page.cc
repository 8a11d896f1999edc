#include "builders/article_page.h"

#include <cassert>
#include <string>
#include <vector>

#include "articles/reader.h"
#include "base/diagnostics.h"
#include "templates/expand.h"
#include "markup/output.h"
#include "templates/template_pass.h"
#include "base/keywords.h"
#include "base/markers.h"

namespace {

// The template pass has three phases: before the slot (elements printed
// one by one, text flushed at every element boundary), inside the slot
// (nothing printed) and after it (no element handlers: everything reaches
// the text handler raw and is printed by the final flush).
struct article_page_state {
  Writer* f = nullptr;
  XML_Parser parser = nullptr;
  const char* templ = nullptr;  // the template's path, for messages
  expansion page;    // the article as a list of one, at its only place
  nesting stack;     // the open slot
  std::string held;  // template text since the last element boundary
  bool skip = false; // inside the slot: text is dropped

  void text(const char* p, size_t n) {
    if (!skip) held.append(p, n);
  }
  void flush() {
    xmltextx(*f, held, page);
    held.clear();
  }
};

article_page_state& st(void* data) {
  return *static_cast<article_page_state*>(data);
}

void XMLCALL slot_begin(void* data, const char* name, const char** atts) {
  article_page_state& s = st(data);
  check_markers(s.parser, s.templ, atts);
  s.stack.enter(name);
}

// After the slot each start tag, once its names are checked, reaches the
// text handler raw, as written, like everything else.
void XMLCALL after_begin(void* data, const char*, const char** atts) {
  article_page_state& s = st(data);
  check_markers(s.parser, s.templ, atts);
  XML_DefaultCurrent(s.parser);
}

void XMLCALL slot_end(void* data, const char* name) {
  article_page_state& s = st(data);
  if (!s.stack.leave(name)) return;
  s.skip = false;
  XML_SetElementHandler(s.parser, after_begin, nullptr);
}

void XMLCALL template_begin(void* data, const char* name, const char** atts) {
  article_page_state& s = st(data);
  assert(!s.stack.is_open());
  check_markers(s.parser, s.templ, atts);
  s.flush();
  if (!attribute_is_true(atts, KW_ARTICLE)) {
    emit_start_tag_expanded(*s.f, name, atts, s.page);
    return;
  }
  if (attribute_is_true(atts, KW_IGN_ONCE)) {
    emit_start_tag_copy(*s.f, name, atts);
    return;
  }
  s.stack.open(name);
  s.skip = true;
  XML_SetElementHandler(s.parser, slot_begin, slot_end);
  xmltextx(*s.f, s.page.articles[0]->articlexml, s.page);
}

constexpr template_handlers kHandlers =
    holding_handlers<article_page_state>(template_begin);

}  // namespace

bool build_article_page(XML_Parser parser, const char* templ,
                        const char* path, const char* output) {
  article_records list;
  if (!read_article_file(parser, path, list)) return false;
  if (list.empty()) {
    report("%s: contains no article", path);
    return false;
  }
  if (list.size() > 1)
    report("%s: contains multiple articles (using the first)", path);

  const article* first = &list[0];
  article_page_state s;
  auto setup = [&](Writer& out, const char* url) {
    s.f = &out;
    s.parser = parser;
    s.templ = templ;
    s.page = page_of(article_list(&first, 1), 0, url);
    return true;
  };
  return write_from_template(parser, templ,
                             output ? output : page_name(path), kHandlers, &s,
                             setup);
}

bool build_article_pages(XML_Parser parser, const request& r) {
  if (r.inputs.size() == 1)
    return build_article_page(parser, r.templ, r.inputs[0], r.output);
  for (const char* path : r.inputs) protect_input(path);
  for (const char* path : r.inputs)
    if (!build_article_page(parser, r.templ, path, nullptr)) return false;
  return true;
}
