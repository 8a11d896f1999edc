#include "feeds/json_export.h"

#include <cinttypes>
#include <cstdio>
#include <vector>

#include "articles/read_files.h"
#include "articles/sort.h"
#include "markup/escape.h"
#include "base/version.h"

namespace {

// The escapes of the bytes that a JSON string cannot hold as they are.
constexpr escape_table json_escapes() {
  escape_table t{{'\b', "\\b"}, {'\t', "\\t"}, {'\n', "\\n"},
                 {'\f', "\\f"}, {'\r', "\\r"}, {'"', "\\\""},
                 {'/', "\\/"},   {'\\', "\\\\"}};
  constexpr char kHex[] = "0123456789abcdef";
  for (int c = 0; c < 0x20; ++c) {
    if (t.len[c]) continue;
    const char u[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
    t.set(static_cast<unsigned char>(c), std::string_view(u, sizeof u));
  }
  return t;
}

constexpr escape_table kEscapeJson = json_escapes();

}  // namespace

void json_string(Writer& f, std::string_view s) {
  f.put('"');
  write_escaped(f, s, kEscapeJson);
  f.put('"');
}

namespace {

void json_member(Writer& f, std::string_view name, std::string_view value) {
  json_string(f, name);
  f.put(':');
  json_string(f, value);
}

void json_text_xml(Writer& f, std::string_view name,
                   const std::optional<std::string>& text,
                   const std::string& markup) {
  json_string(f, name);
  f.write(":{");
  if (text) {
    json_member(f, "text", *text);
    f.put(',');
  }
  json_member(f, "xml", markup);
  f.put('}');
}

void json_article(Writer& f, const article& a) {
  f.put('{');
  json_member(f, "src", a.src);
  f.put(',');
  json_member(f, "base", a.base);
  f.put(',');
  json_member(f, "stripbase", a.stripbase);
  f.put(',');
  json_member(f, "striplangbase", a.striplangbase);
  f.put(',');
  char num[32];
  std::snprintf(num, sizeof num, "%" PRId64, a.time);
  json_string(f, "time");
  f.put(':');
  f.write(num);
  f.put(',');
  json_text_xml(f, "title", a.titletext, a.title);
  f.put(',');
  json_text_xml(f, "aside", a.asidetext, a.aside);
  f.put(',');
  json_text_xml(f, "author", a.authortext, a.author);
  f.put(',');
  json_string(f, "article");
  f.write(":{");
  json_member(f, "xml", a.articlexml);
  f.write("},");
  json_string(f, "tags");
  f.write(":[");
  for (size_t i = 0; i < a.tags.size(); ++i) {
    if (i) f.put(',');
    json_string(f, a.tags[i]);
  }
  f.write("],");
  json_string(f, "keys");
  f.write(":{");
  for (size_t i = 0; i < a.setmap.size(); ++i) {
    if (i) f.put(',');
    json_member(f, a.setmap[i].first, a.setmap[i].second);
  }
  f.write("}}");
}

}  // namespace

bool write_json(XML_Parser parser, const request& r) {
  sorted_articles_t articles;
  if (!read_sorted_articles(parser, r.inputs, r.by, articles)) return false;
  const std::vector<const article*>& sorted = articles.sorted;

  Writer f;
  if (!open_output(f, r.output)) return false;
  f.write("{");
  json_member(f, "version", kVersion);
  f.put(',');
  json_string(f, "articles");
  f.write(": [");
  for (size_t i = 0; i < sorted.size(); ++i) {
    if (i) f.put(',');
    json_article(f, *sorted[i]);
  }
  f.write("]}\n");
  return close_output(f);
}
