#include "markup/output.h"

#include <cstring>

#include "markup/escape.h"

bool xmlbool(const char* s) {
  return ascii_iequal(s, "1") || ascii_iequal(s, "true");
}

const char* find_attribute(const char** atts, keyword id) {
  for (; atts[0]; atts += 2)
    if (keyword_lookup(atts[0]) == id) return atts[1];
  return nullptr;
}

bool attribute_is_true(const char** atts, keyword id) {
  const char* v = find_attribute(atts, id);
  return v && xmlbool(v);
}

void emit_escaped(Writer& f, std::string_view text, int esc) {
  static constexpr const escape_table* kTables[] = {
      nullptr, &kEscapeSpaces, &kEscapeQuotes, &kEscapeSpacesQuotes};
  if (esc == ESCAPE_PLAIN)
    f.write(text);
  else
    write_escaped(f, text, *kTables[esc & 3]);
}

void emit_attribute_value(Writer& f, std::string_view value) {
  write_escaped(f, value, kEscapeTagAttribute);
}

void emit_xml_escaped(Writer& f, std::string_view text) {
  write_escaped(f, text, kEscapeXml);
}

namespace {

void emit_attribute(Writer& f, const char* name, std::string_view value) {
  f.put(' ');
  f.write(name, std::strlen(name));
  f.write("=\"", 2);
  emit_attribute_value(f, value);
  f.put('"');
}

}  // namespace

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
