#include "markup/output.h"

#include <cstring>

#include "startup/keywords.h"

bool xmlbool(const char* s) {
  return ascii_iequal(s, "1") || ascii_iequal(s, "true");
}

void emit_escaped(Writer& f, std::string_view text, int esc) {
  if (esc == ESCAPE_PLAIN) {
    f.write(text);
    return;
  }
  const bool spaces = esc & ESCAPE_SPACES;
  const bool quotes = esc & ESCAPE_ATTRIBUTE;
  size_t run = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (spaces && c == ' ') {
      f.write(text.data() + run, i - run);
      f.write("\\ ", 2);
      run = i + 1;
    } else if (quotes && c == '"') {
      f.write(text.data() + run, i - run);
      f.write("&quot;", 6);
      run = i + 1;
    }
  }
  f.write(text.data() + run, text.size() - run);
}

void emit_attribute_value(Writer& f, std::string_view value) {
  size_t run = 0;
  for (size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c != '"' && c != '&') continue;
    f.write(value.data() + run, i - run);
    if (c == '"')
      f.write("&quot;", 6);
    else
      f.write("&amp;", 5);
    run = i + 1;
  }
  f.write(value.data() + run, value.size() - run);
}

void emit_xml_escaped(Writer& f, std::string_view text) {
  size_t run = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    std::string_view rep;
    switch (text[i]) {
      case '&': rep = "&amp;"; break;
      case '<': rep = "&lt;"; break;
      case '>': rep = "&gt;"; break;
      case '"': rep = "&quot;"; break;
      default: continue;
    }
    f.write(text.data() + run, i - run);
    f.write(rep);
    run = i + 1;
  }
  f.write(text.data() + run, text.size() - run);
}

namespace {

void emit_attribute(Writer& f, const char* name, std::string_view value) {
  f.put(' ');
  f.write(name, std::strlen(name));
  f.write("=\"", 2);
  emit_attribute_value(f, value);
  f.put('"');
}

void emit_tag_open(Writer& f, const char* name) {
  f.put('<');
  f.write(name, std::strlen(name));
}

void emit_tag_close(Writer& f, const char* name) {
  if (is_void_element(name))
    f.write(" />", 3);
  else
    f.put('>');
}

}  // namespace

void emit_start_tag(Writer& f, const char* name,
                    std::initializer_list<attr_pair> pairs) {
  emit_tag_open(f, name);
  for (const attr_pair& p : pairs) emit_attribute(f, p.first, p.second);
  emit_tag_close(f, name);
}

void emit_start_tag_copy(Writer& f, const char* name, const char** atts) {
  emit_tag_open(f, name);
  for (; atts[0]; atts += 2) {
    if (std::strcmp(atts[0], "data-vorn-ign-once") == 0 && xmlbool(atts[1]))
      continue;
    emit_attribute(f, atts[0], atts[1]);
  }
  emit_tag_close(f, name);
}

void emit_end_tag(Writer& f, const char* name) {
  if (is_void_element(name)) return;
  f.write("</", 2);
  f.write(name, std::strlen(name));
  f.put('>');
}
