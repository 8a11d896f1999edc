#include "feeds/json.h"

#include <cinttypes>
#include <cstdio>
#include <err.h>
#include <vector>

#include "articles/reader.h"
#include "articles/sort.h"
#include "startup/version.h"

void json_string(Writer& f, std::string_view s) {
  f.put('"');
  size_t run = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    const char* esc;
    char hex[7];
    switch (c) {
      case '\b': esc = "\\b"; break;
      case '\t': esc = "\\t"; break;
      case '\n': esc = "\\n"; break;
      case '\f': esc = "\\f"; break;
      case '\r': esc = "\\r"; break;
      case '"': esc = "\\\""; break;
      case '/': esc = "\\/"; break;
      case '\\': esc = "\\\\"; break;
      default:
        if (c >= 0x20) continue;
        std::snprintf(hex, sizeof hex, "\\u%04x", c);
        esc = hex;
        break;
    }
    f.write(s.data() + run, i - run);
    f.write(esc);
    run = i + 1;
  }
  f.write(s.data() + run, s.size() - run);
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
  if (!f.open(output)) {
    warn("%s", output);
    return false;
  }
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
  if (!f.close()) {
    warn("%s", f.display_name().c_str());
    return false;
  }
  return true;
}
