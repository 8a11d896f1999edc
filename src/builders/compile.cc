#include "builders/compile.h"

#include <cassert>
#include <cstring>
#include <err.h>
#include <string>
#include <vector>

#include "articles/reader.h"
#include "markup/capture.h"
#include "markup/expand.h"
#include "markup/output.h"
#include "startup/input.h"
#include "startup/keywords.h"

namespace {

// The template pass has three phases: before the slot (elements printed
// one by one, text flushed at every element boundary), inside the slot
// (nothing printed) and after it (no element handlers: everything reaches
// the text handler raw and is printed by the final flush).
struct compile_state {
  const char* url = nullptr;  // the output name; null for standard output
  Writer* f = nullptr;
  XML_Parser parser = nullptr;
  size_t stack = 0;  // nesting of elements named like the slot
  article_list one;  // the article as a list of one
  std::string text;  // template text since the last element boundary
  bool skip = false;
  std::string stacktag;
};

compile_state& st(void* data) { return *static_cast<compile_state*>(data); }

void flush(compile_state& s) {
  xmltextx(*s.f, s.text, s.url, s.one, 1, 1, 0, 0, 1, ESCAPE_PLAIN);
  s.text.clear();
}

void XMLCALL text_handler(void* data, const char* text, int len) {
  compile_state& s = st(data);
  if (!s.skip) capture_text(s.text, text, len);
}

void XMLCALL skipped_entity(void* data, const char* name, int) {
  compile_state& s = st(data);
  if (s.skip) return;
  s.text += '&';
  s.text += name;
  s.text += ';';
}

void XMLCALL slot_begin(void* data, const char* name, const char**) {
  compile_state& s = st(data);
  if (s.stacktag == name) s.stack++;
}

void XMLCALL slot_end(void* data, const char* name) {
  compile_state& s = st(data);
  if (s.stacktag != name || --s.stack > 0) return;
  s.stacktag.clear();
  s.skip = false;
  XML_SetElementHandler(s.parser, nullptr, nullptr);
}

bool has_true(const char** atts, const char* attr) {
  for (; atts[0]; atts += 2)
    if (std::strcmp(atts[0], attr) == 0 && xmlbool(atts[1])) return true;
  return false;
}

void XMLCALL template_begin(void* data, const char* name, const char** atts) {
  compile_state& s = st(data);
  assert(s.stack == 0);
  flush(s);
  if (!has_true(atts, "data-vorn-article")) {
    emit_start_tag_expanded(*s.f, name, atts, s.url, s.one, 1, 0);
    return;
  }
  if (has_true(atts, "data-vorn-ign-once")) {
    emit_start_tag_copy(*s.f, name, atts);
    return;
  }
  s.stacktag = name;
  s.stack = 1;
  s.skip = true;
  XML_SetElementHandler(s.parser, slot_begin, slot_end);
  xmltextx(*s.f, s.one[0]->articlexml, s.url, s.one, 1, 1, 0, 0, 1,
           ESCAPE_PLAIN);
}

void XMLCALL template_end(void* data, const char* name) {
  compile_state& s = st(data);
  flush(s);
  emit_end_tag(*s.f, name);
}

}  // namespace

bool build_article_page(XML_Parser parser, const char* templ,
                        const char* path, const char* output) {
  std::vector<article> list;
  if (!read_article_file(parser, path, list)) return false;
  if (list.empty()) {
    warnx("%s: contains no article", path);
    return false;
  }
  if (list.size() > 1)
    warnx("%s: contains multiple articles (using the first)", path);

  std::string name = output ? output : page_name(path);
  Writer f;
  if (!open_output(f, name)) return false;
  bool ok = false;
  {
    mapped_input in;
    if (map_input(templ, in)) {
      const article* first = &list[0];
      compile_state s;
      s.url = name == "-" ? nullptr : name.c_str();
      s.f = &f;
      s.parser = parser;
      s.one = article_list(&first, 1);
      begin_pass(parser, &s, true);
      XML_SetDefaultHandlerExpand(parser, text_handler);
      XML_SetSkippedEntityHandler(parser, skipped_entity);
      XML_SetElementHandler(parser, template_begin, template_end);
      ok = run_pass(parser, templ, in);
      if (ok) {
        flush(s);
        f.put('\n');
      }
    }
  }
  return close_output(f) && ok;
}
