#include "feeds/json.h"

#include <cinttypes>
#include <cstdio>
#include <vector>

#include "articles/reader.h"
#include "articles/sort.h"
#include "startup/version.h"

namespace {

// The escape of each byte that JSON strings cannot hold as it is; null for
// the bytes written unchanged.
struct json_escapes {
  const char* of[256] = {};
  bool needed[256] = {};
  char hex[32][7];
  json_escapes() {
    for (int c = 0; c < 0x20; ++c) {
      std::snprintf(hex[c], sizeof hex[c], "\\u%04x", c);
      of[c] = hex[c];
    }
    of[static_cast<unsigned char>('\b')] = "\\b";
    of[static_cast<unsigned char>('\t')] = "\\t";
    of[static_cast<unsigned char>('\n')] = "\\n";
    of[static_cast<unsigned char>('\f')] = "\\f";
    of[static_cast<unsigned char>('\r')] = "\\r";
    of[static_cast<unsigned char>('"')] = "\\\"";
    of[static_cast<unsigned char>('/')] = "\\/";
    of[static_cast<unsigned char>('\\')] = "\\\\";
    for (int c = 0; c < 256; ++c) needed[c] = of[c] != nullptr;
  }
};

const json_escapes kEscapes;

}  // namespace

void json_string(Writer& f, std::string_view s) {
  f.put('"');
  const unsigned char* p = reinterpret_cast<const unsigned char*>(s.data());
  const size_t n = s.size();
  size_t run = 0, i = 0;
  for (;;) {
    while (i < n && !kEscapes.needed[p[i]]) ++i;
    f.write(s.data() + run, i - run);
    if (i == n) break;
    f.write(kEscapes.of[p[i]]);
    run = ++i;
  }
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

bool write_json(XML_Parser parser, int count, char* const* inputs,
                const char* output, int order) {
  std::vector<article> list;
  if (!read_article_files(parser, count, inputs, list)) return false;
  sort_articles(list, order);

  Writer f;
  if (!open_output(f, output)) return false;
  f.write("{");
  json_member(f, "version", kVersion);
  f.put(',');
  json_string(f, "articles");
  f.write(": [");
  for (size_t i = 0; i < list.size(); ++i) {
    if (i) f.put(',');
    json_article(f, list[i]);
  }
  f.write("]}\n");
  return close_output(f);
}
