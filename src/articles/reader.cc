#include "articles/reader.h"

#include <cassert>
#include <cstring>
#include <err.h>
#include <sys/stat.h>

#include "articles/attributes.h"
#include "articles/dates.h"
#include "articles/feedsafe.h"
#include "articles/sort.h"
#include "markup/output.h"
#include "startup/input.h"
#include "startup/keywords.h"

namespace {

// Where character data and skipped entities go.
enum class target { outside, article, title, aside, author };

struct grok_state {
  XML_Parser parser;
  const char* path;
  int fd;
  size_t doclen;  // length of the document in bytes
  std::vector<article>* list;
  whitelist_t whitelist;
  feed_reading* feed;  // reading for the Atom feed; null otherwise

  article_progress pr;
  size_t stack = 0;   // nesting of the captured aside or address
  size_t gstack = 0;  // nesting of elements named like the article element
  target to = target::outside;
  std::string stacktag;  // name of the open article element
  std::vector<std::string> langs;
};

void XMLCALL input_begin(void* data, const char* name, const char** atts);
void XMLCALL article_begin(void* data, const char* name, const char** atts);
void XMLCALL article_end(void* data, const char* name);

grok_state& st(void* data) { return *static_cast<grok_state*>(data); }

constexpr size_t kReserveAbove = size_t{1} << 20;

// The markup and text strings of the running capture.
struct capture_slot {
  std::string& markup;
  std::optional<std::string>& text;
  bool& has;
};

capture_slot slot_of(grok_state& s) {
  article& a = *s.pr.art;
  switch (s.to) {
    case target::title:
      return {a.title, a.titletext, s.pr.has_title};
    case target::aside:
      return {a.aside, a.asidetext, s.pr.has_aside};
    default:
      return {a.author, a.authortext, s.pr.has_author};
  }
}

void append_text(grok_state& s, const char* text, int len) {
  if (s.to == target::outside || len <= 0) return;
  if (s.to != target::article) {
    capture_slot c = slot_of(s);
    capture_text(c.markup, text, len);
    if (!c.text) c.text.emplace();
    capture_text(*c.text, text, len);
    c.has = true;
  }
  capture_text(s.pr.art->articlexml, text, len);
}

void XMLCALL text_handler(void* data, const char* text, int len) {
  append_text(st(data), text, len);
}

void XMLCALL skipped_entity(void* data, const char* name, int) {
  grok_state& s = st(data);
  std::string ref;
  if (s.feed && s.to != target::outside) {
    s.feed->entity_reference(ref, name, s.path);
  } else {
    ref = "&";
    ref += name;
    ref += ';';
  }
  append_text(s, ref.data(), static_cast<int>(ref.size()));
}

// Appends the start tag to BUF, keeping the attributes of the whitelist.
void capture_tag(grok_state& s, std::string& buf, const char* name,
                 const char** atts) {
  size_t from = buf.size();
  capture_start_tag(buf, name, atts, s.whitelist);
  if (s.feed) escape_lt_after(buf, from);
}

// Elements named like the article element are counted wherever they occur
// inside it, also within a capture, so that the article ends exactly at
// its own end tag.
void count_open(grok_state& s, const char* name) {
  if (s.stacktag == name) s.gstack++;
}
void count_close(grok_state& s, const char* name) {
  if (s.stacktag == name) {
    assert(s.gstack > 1 && "capture outlived its article");
    s.gstack--;
  }
}

void end_capture(grok_state& s) {
  XML_SetElementHandler(s.parser, article_begin, article_end);
  s.to = target::article;
}

void XMLCALL title_begin(void* data, const char* name, const char** atts) {
  grok_state& s = st(data);
  count_open(s, name);
  capture_tag(s, s.pr.art->title, name, atts);
  s.pr.has_title = true;
  capture_tag(s, s.pr.art->articlexml, name, atts);
  apply_article_attributes(s.pr, atts, s.parser, s.path);
}

void XMLCALL title_end(void* data, const char* name) {
  grok_state& s = st(data);
  count_close(s, name);
  capture_end_tag(s.pr.art->articlexml, name);
  int id = keyword_lookup(name);
  if (id >= KW_E_H1 && id <= KW_E_H4) {
    end_capture(s);
    return;
  }
  capture_end_tag(s.pr.art->title, name);
}

// The aside and author captures end at the end tag that closes the
// captured element; elements of the same name nest inside it.
void nested_begin(grok_state& s, const char* name, const char** atts,
                  int id) {
  count_open(s, name);
  if (keyword_lookup(name) == id) s.stack++;
  capture_slot c = slot_of(s);
  capture_tag(s, c.markup, name, atts);
  c.has = true;
  capture_tag(s, s.pr.art->articlexml, name, atts);
  apply_article_attributes(s.pr, atts, s.parser, s.path);
}

void nested_end(grok_state& s, const char* name, int id) {
  count_close(s, name);
  capture_end_tag(s.pr.art->articlexml, name);
  if (keyword_lookup(name) == id && --s.stack == 0) {
    end_capture(s);
    return;
  }
  capture_end_tag(slot_of(s).markup, name);
}

void XMLCALL aside_begin(void* data, const char* name, const char** atts) {
  nested_begin(st(data), name, atts, KW_E_ASIDE);
}
void XMLCALL aside_end(void* data, const char* name) {
  nested_end(st(data), name, KW_E_ASIDE);
}
void XMLCALL author_begin(void* data, const char* name, const char** atts) {
  nested_begin(st(data), name, atts, KW_E_ADDRESS);
}
void XMLCALL author_end(void* data, const char* name) {
  nested_end(st(data), name, KW_E_ADDRESS);
}

void XMLCALL article_begin(void* data, const char* name, const char** atts) {
  grok_state& s = st(data);
  article& a = *s.pr.art;
  assert(s.stack == 0);
  capture_tag(s, a.articlexml, name, atts);
  apply_article_attributes(s.pr, atts, s.parser, s.path);
  count_open(s, name);

  switch (int id = keyword_lookup(name)) {
    case KW_E_H1:
    case KW_E_H2:
    case KW_E_H3:
    case KW_E_H4:
      if (s.pr.seen & SEEN_TITLE) break;
      s.pr.seen |= SEEN_TITLE;
      s.to = target::title;
      XML_SetElementHandler(s.parser, title_begin, title_end);
      break;
    case KW_E_IMG:
      if (s.pr.seen & SEEN_IMAGE) break;
      for (const char** p = atts; p[0]; p += 2) {
        if (std::strcmp(p[0], "src") == 0) {
          a.img = p[1];
          s.pr.seen |= SEEN_IMAGE;
          break;
        }
      }
      break;
    case KW_E_TIME:
      if (s.pr.seen & SEEN_DATE) break;
      s.pr.seen |= SEEN_DATE;
      for (const char** p = atts; p[0]; p += 2) {
        if (std::strcmp(p[0], "datetime") != 0) continue;
        int64_t t;
        int isdatetime;
        if (parse_datetime(p[1], t, isdatetime)) {
          a.time = t;
          a.isdatetime = isdatetime;
          s.pr.dated = true;
        } else {
          warn_at(s.parser, s.path, "malformed RFC 3339 date/time");
        }
        break;
      }
      break;
    case KW_E_ASIDE:
    case KW_E_ADDRESS:
      if (s.pr.seen & (id == KW_E_ASIDE ? SEEN_ASIDE : SEEN_AUTHOR)) break;
      s.pr.seen |= id == KW_E_ASIDE ? SEEN_ASIDE : SEEN_AUTHOR;
      s.stack = 1;
      if (id == KW_E_ASIDE) {
        s.to = target::aside;
        XML_SetElementHandler(s.parser, aside_begin, aside_end);
      } else {
        s.to = target::author;
        XML_SetElementHandler(s.parser, author_begin, author_end);
      }
      break;
    default:
      break;
  }
}

// Removes from NAME the language suffixes: ".TOKEN" followed by "." or the
// end of the name, for each token in order.
void strip_languages(std::string& name, const std::vector<std::string>& langs) {
  for (const std::string& tok : langs) {
    for (size_t at = name.find(tok); at != std::string::npos;
         at = name.find(tok, at + 1)) {
      size_t after = at + tok.size();
      if (at > 0 && name[at - 1] == '.' &&
          (after == name.size() || name[after] == '.')) {
        name.erase(at - 1, tok.size() + 1);
        break;
      }
    }
  }
}

// The names derived from NAME: without its extension, its last path
// component, and that component without its extension.
void derive_names(const std::string& name, std::string& base,
                  std::string& strip, std::string& stripbase) {
  base = name;
  cut_extension(base);
  strip = last_component(name);
  stripbase = strip;
  cut_extension(stripbase);
}

void finish_article(grok_state& s) {
  article& a = *s.pr.art;
  if (!s.pr.has_src) a.src = s.path;
  derive_names(a.src, a.base, a.stripsrc, a.stripbase);
  a.striplangbase = a.stripbase;
  strip_languages(a.striplangbase, s.langs);

  a.fname = s.path;
  derive_names(a.fname, a.fbase, a.stripfname, a.fstripbase);
  a.fstriplangbase = a.fstripbase;

  if (!s.pr.has_title) {
    assert(!a.titletext);
    a.title = "Untitled article";
    a.titletext = a.title;
  }
  if (!s.pr.has_author) {
    assert(!a.authortext);
    a.author = "Untitled author";
    a.authortext = a.author;
  }
  if (!s.pr.dated) {
    a.isdatetime = 1;
    struct stat sb;
    if (fstat(s.fd, &sb) == 0)
      a.time = static_cast<int64_t>(sb.st_ctime);
    else
      warn("%s", a.src.c_str());
  }
  if (!s.pr.has_aside) {
    assert(!a.asidetext);
    a.asidetext.emplace();
  }
}

void XMLCALL article_end(void* data, const char* name) {
  grok_state& s = st(data);
  capture_end_tag(s.pr.art->articlexml, name);
  if (s.stacktag != name || --s.gstack > 0) return;
  s.stacktag.clear();
  s.to = target::outside;
  XML_SetElementHandler(s.parser, input_begin, nullptr);
  std::string& xml = s.pr.art->articlexml;
  if (xml.capacity() > kReserveAbove && xml.capacity() / 2 > xml.size())
    xml.shrink_to_fit();
  finish_article(s);
}

void XMLCALL input_begin(void* data, const char* name, const char** atts) {
  grok_state& s = st(data);
  assert(s.gstack == 0 && s.stack == 0);
  const char** p = atts;
  while (p[0] && !(std::strcmp(p[0], "data-vorn-article") == 0 && xmlbool(p[1])))
    p += 2;
  if (!p[0]) return;

  s.stacktag = name;
  s.langs.clear();
  s.list->emplace_back();
  s.pr = article_progress{};
  s.pr.art = &s.list->back();
  s.pr.for_feed = s.feed != nullptr;
  article& a = *s.pr.art;
  a.order = s.list->size();

  for (p = atts; p[0]; p += 2) {
    switch (keyword_lookup(p[0])) {
      case KW_SORT:
        if (std::strcmp(p[1], "first") == 0) a.sort = 1;
        else if (std::strcmp(p[1], "last") == 0) a.sort = 2;
        break;
      case KW_LANG: {
        s.langs.clear();
        const char* v = p[1];
        while (*v) {
          size_t skip = std::strspn(v, " \t");
          v += skip;
          size_t n = std::strcspn(v, " \t");
          if (n) s.langs.emplace_back(v, n);
          v += n;
        }
        break;
      }
      default:
        break;
    }
  }
  // A large article is about as long as the rest of the document: making
  // room for that at once spares the copies of a growing string.
  size_t rest = s.doclen - static_cast<size_t>(XML_GetCurrentByteIndex(s.parser));
  if (rest > kReserveAbove) a.articlexml.reserve(rest);

  s.gstack = 1;
  s.to = target::article;
  capture_tag(s, a.articlexml, name, atts);
  XML_SetElementHandler(s.parser, article_begin, article_end);
  apply_article_attributes(s.pr, atts, s.parser, s.path);
}

}  // namespace

bool read_article_file(XML_Parser parser, const char* path,
                       std::vector<article>& list, whitelist_t whitelist,
                       feed_reading* feed) {
  mapped_input in;
  if (!map_input(path, in)) return false;
  grok_state s{parser, path, in.fd, in.len, &list, whitelist, feed, {}, 0, 0,
               target::outside, {}, {}};
  begin_pass(parser, &s, true);
  XML_SetDefaultHandlerExpand(parser, text_handler);
  XML_SetSkippedEntityHandler(parser, skipped_entity);
  XML_SetStartElementHandler(parser, input_begin);
  return run_pass(parser, path, in);
}

bool read_article_files(XML_Parser parser, int count, char* const* paths,
                        std::vector<article>& list, whitelist_t whitelist,
                        feed_reading* feed) {
  for (int i = 0; i < count; ++i)
    if (!read_article_file(parser, paths[i], list, whitelist, feed))
      return false;
  return true;
}

bool read_sorted_articles(XML_Parser parser, int count, char* const* paths,
                          int order, std::vector<article>& list,
                          std::vector<const article*>& ptrs,
                          whitelist_t whitelist, feed_reading* feed) {
  if (!read_article_files(parser, count, paths, list, whitelist, feed))
    return false;
  sort_articles(list, order);
  ptrs.clear();
  ptrs.reserve(list.size());
  for (const article& a : list) ptrs.push_back(&a);
  return true;
}
