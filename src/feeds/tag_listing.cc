#include "feeds/tag_listing.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "articles/read_files.h"
#include "markup/escape.h"
#include "markup/writer.h"

namespace {

// Writes TAG leaving out every backslash that stands before a space.
void put_unescaped(Writer& f, std::string_view tag) {
  write_tag_word(f, tag, kEscapeNone);
}

struct tag_record {
  const std::string* tag;
  std::vector<const std::string*> srcs;
};

void list_by_tag(Writer& f, const article_records& list, bool json,
                 bool repeated) {
  // Tags in order of first appearance, each with its articles' sources.
  std::vector<tag_record> records;
  std::unordered_map<std::string_view, size_t> index;
  for (const article& a : list) {
    for (const std::string& tag : a.tags) {
      auto [it, added] = index.try_emplace(tag, records.size());
      if (added) records.push_back({&tag, {}});
      records[it->second].srcs.push_back(&a.src);
    }
  }
  for (size_t r = 0; r < records.size(); ++r) {
    const tag_record& rec = records[r];
    if (json) {
      f.write("{\"tag\": \"");
      put_unescaped(f, *rec.tag);
      f.write("\", \n \"srcs\": [");
      for (size_t i = 0; i < rec.srcs.size(); ++i) {
        if (i) f.put(',');
        f.put('"');
        f.write(*rec.srcs[i]);
        f.put('"');
      }
      f.write(r + 1 < records.size() ? "]},\n" : "]}\n");
    } else if (repeated) {
      put_unescaped(f, *rec.tag);
      for (const std::string* src : rec.srcs) {
        f.put('\t');
        f.write(*src);
      }
      f.put('\n');
    } else {
      for (const std::string* src : rec.srcs) {
        f.write(*rec.tag);
        f.put('\t');
        f.write(*src);
        f.put('\n');
      }
    }
  }
}

void list_by_article(Writer& f, const article_records& list, bool json,
                     bool repeated) {
  for (size_t n = 0; n < list.size(); ++n) {
    const article& a = list[n];
    if (json) {
      f.write("{\"src\": \"");
      f.write(a.src);
      f.write("\", \n \"tags\": [");
      for (size_t i = 0; i < a.tags.size(); ++i) {
        if (i) f.put(',');
        f.put('"');
        put_unescaped(f, a.tags[i]);
        f.put('"');
      }
      f.write(n + 1 < list.size() ? "]},\n" : "]}\n");
    } else if (repeated) {
      f.write(a.src);
      for (const std::string& tag : a.tags) {
        f.put('\t');
        put_unescaped(f, tag);
      }
      f.put('\n');
    } else {
      for (const std::string& tag : a.tags) {
        f.write(a.src);
        f.put('\t');
        put_unescaped(f, tag);
        f.put('\n');
      }
    }
  }
}

}  // namespace

bool list_tags(XML_Parser parser, const request& r) {
  article_records list;
  if (!read_article_files(parser, r.inputs, list)) return false;

  Writer f;
  if (!open_output(f, "-")) return false;
  if (r.json) f.write("{[\n");
  if (r.reverse)
    list_by_tag(f, list, r.json, r.repeated);
  else
    list_by_article(f, list, r.json, r.repeated);
  if (r.json) f.write("]}\n");
  return close_output(f);
}
