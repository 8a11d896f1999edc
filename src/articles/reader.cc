#include "articles/reader.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "articles/attributes.h"
#include "articles/feedsafe.h"
#include "articles/sort.h"
#include "markup/output.h"
#include "base/dates.h"
#include "base/input.h"
#include "base/keywords.h"
#include "base/markers.h"

namespace {

// Where character data and skipped entities go.
enum class target { outside, article, title, aside, author };

struct grok_state {
  XML_Parser parser;
  const char* path;
  int64_t ctime;   // the file's status-change time: the default date
  size_t doclen;   // length of the document in bytes
  article_records* list;
  whitelist_t whitelist;
  feed_reading* feed;  // reading for the Atom feed; null otherwise

  article_progress pr;
  nesting stack;   // the captured aside or address
  nesting gstack;  // the open article element
  target to = target::outside;
  std::vector<std::string> langs;
  size_t kept = 0;      // bytes of markup kept for the articles so far
  size_t articles = 0;  // articles read from this file so far

  void text(const char* p, size_t n);
  void entity(const char* name);
  void capture_tag(std::string& buf, const char* name, const char** atts);
};

void XMLCALL input_begin(void* data, const char* name, const char** atts);
void XMLCALL article_begin(void* data, const char* name, const char** atts);
void XMLCALL article_end(void* data, const char* name);

grok_state& st(void* data) { return *static_cast<grok_state*>(data); }


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

void grok_state::text(const char* p, size_t n) {
  if (to == target::outside) return;
  if (to != target::article) {
    capture_slot c = slot_of(*this);
    c.markup.append(p, n);
    if (!c.text) c.text.emplace();
    c.text->append(p, n);
    c.has = true;
  }
  pr.art->articlexml.append(p, n);
}

// A reference to an undeclared entity, kept as written, except that the
// feed writes XHTML's entities as character references.
void grok_state::entity(const char* name) {
  std::string ref;
  if (feed && to != target::outside) {
    feed->entity_reference(ref, name, path);
  } else {
    ref = "&";
    ref += name;
    ref += ';';
  }
  text(ref.data(), ref.size());
}

void XMLCALL skipped_entity(void* data, const char* name, int) {
  st(data).entity(name);
}

// Appends a start tag to BUF, keeping the attributes of the whitelist; in
// the feed a '<' in an attribute value is escaped too.
void grok_state::capture_tag(std::string& buf, const char* name,
                             const char** atts) {
  capture_start_tag(buf, name, atts, whitelist,
                    feed ? kEscapeFeedAttribute : kEscapeTagAttribute);
}

// Elements named like the article element are counted wherever they occur
// inside it, also within a capture, so that the article ends exactly at
// its own end tag.
void count_open(grok_state& s, const char* name) { s.gstack.enter(name); }
void count_close(grok_state& s, const char* name) {
  bool closed = s.gstack.leave(name);
  assert(!closed && "capture outlived its article");
  (void)closed;
}

void end_capture(grok_state& s) {
  XML_SetElementHandler(s.parser, article_begin, article_end);
  s.to = target::article;
}

void XMLCALL title_begin(void* data, const char* name, const char** atts) {
  grok_state& s = st(data);
  count_open(s, name);
  s.capture_tag(s.pr.art->title, name, atts);
  s.pr.has_title = true;
  s.capture_tag(s.pr.art->articlexml, name, atts);
  apply_article_attributes(s.pr, atts, s.parser, s.path);
}

void XMLCALL title_end(void* data, const char* name) {
  grok_state& s = st(data);
  count_close(s, name);
  capture_end_tag(s.pr.art->articlexml, name);
  if (is_heading(keyword_lookup(name))) {
    end_capture(s);
    return;
  }
  capture_end_tag(s.pr.art->title, name);
}

// The aside and author captures end at the end tag that closes the
// captured element; elements of the same name nest inside it.
void nested_begin(grok_state& s, const char* name, const char** atts) {
  count_open(s, name);
  s.stack.enter(name);
  capture_slot c = slot_of(s);
  s.capture_tag(c.markup, name, atts);
  c.has = true;
  s.capture_tag(s.pr.art->articlexml, name, atts);
  apply_article_attributes(s.pr, atts, s.parser, s.path);
}

void nested_end(grok_state& s, const char* name) {
  count_close(s, name);
  capture_end_tag(s.pr.art->articlexml, name);
  if (s.stack.leave(name)) {
    end_capture(s);
    return;
  }
  capture_end_tag(slot_of(s).markup, name);
}

void XMLCALL nested_begin(void* data, const char* name, const char** atts) {
  nested_begin(st(data), name, atts);
}
void XMLCALL nested_end(void* data, const char* name) {
  nested_end(st(data), name);
}

void XMLCALL article_begin(void* data, const char* name, const char** atts) {
  grok_state& s = st(data);
  article& a = *s.pr.art;
  assert(!s.stack.is_open());
  s.capture_tag(a.articlexml, name, atts);
  apply_article_attributes(s.pr, atts, s.parser, s.path);
  count_open(s, name);

  switch (keyword id = keyword_lookup(name)) {
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
      s.pr.seen |= SEEN_DATE;  // only the first time element, usable or not
      for (const char** p = atts; p[0]; p += 2) {
        if (std::strcmp(p[0], "datetime") == 0) {
          set_article_date(s.pr, p[1], s.parser);
          break;
        }
      }
      break;
    case KW_E_ASIDE:
    case KW_E_ADDRESS:
      if (s.pr.seen & (id == KW_E_ASIDE ? SEEN_ASIDE : SEEN_AUTHOR)) break;
      s.pr.seen |= id == KW_E_ASIDE ? SEEN_ASIDE : SEEN_AUTHOR;
      s.stack.open(name);
      s.to = id == KW_E_ASIDE ? target::aside : target::author;
      XML_SetElementHandler(s.parser, nested_begin, nested_end);
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
  int64_t file_time = clamp_file_time(s.ctime);
  if (!s.pr.dated) {
    a.isdatetime = 1;
    a.time = file_time;
  }
  report_bad_dates(s.pr, s.path, file_time != s.ctime);
  if (!s.pr.has_aside) {
    assert(!a.asidetext);
    a.asidetext.emplace();
  }
  index_setmap(a);
}

void XMLCALL article_end(void* data, const char* name) {
  grok_state& s = st(data);
  capture_end_tag(s.pr.art->articlexml, name);
  if (!s.gstack.leave(name)) return;
  s.to = target::outside;
  XML_SetElementHandler(s.parser, input_begin, nullptr);
  // Room made for the markup that it did not take is given back, so that
  // every article holds about what it needs.
  std::string& xml = s.pr.art->articlexml;
  if (xml.capacity() - xml.size() > xml.size() / 8 + 64) xml.shrink_to_fit();
  s.kept += xml.size();
  s.articles++;
  finish_article(s);
}

// Room for the markup of the article that starts here, made at once so
// that the string does not grow by copies: the rest of the document for
// the first article of a file (most files hold one article, as long as
// the file), the average of the earlier ones for the others.  Captured
// markup is seldom longer than its source.
size_t expected_markup(const grok_state& s) {
  size_t rest = s.doclen - static_cast<size_t>(XML_GetCurrentByteIndex(s.parser));
  return (s.articles == 0 ? rest : std::min(rest, s.kept / s.articles)) + 64;
}

void XMLCALL input_begin(void* data, const char* name, const char** atts) {
  grok_state& s = st(data);
  assert(!s.gstack.is_open() && !s.stack.is_open());
  if (!attribute_is_true(atts, KW_ARTICLE)) {
    check_markers(s.parser, s.path, atts);
    return;
  }

  s.langs.clear();
  s.list->emplace_back();
  s.pr = article_progress{};
  s.pr.art = &s.list->back();
  s.pr.for_feed = s.feed != nullptr;
  article& a = *s.pr.art;
  a.order = s.list->size();

  for (const char** p = atts; p[0]; p += 2) {
    switch (keyword_lookup(p[0])) {
      case KW_SORT:
        if (std::strcmp(p[1], "first") == 0) a.sort = pin::first;
        else if (std::strcmp(p[1], "last") == 0) a.sort = pin::last;
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
  a.articlexml.reserve(expected_markup(s));

  s.gstack.open(name);
  s.to = target::article;
  s.capture_tag(a.articlexml, name, atts);
  XML_SetElementHandler(s.parser, article_begin, article_end);
  apply_article_attributes(s.pr, atts, s.parser, s.path);
}

}  // namespace

bool read_article_file(XML_Parser parser, const char* path,
                       article_records& list, whitelist_t whitelist,
                       feed_reading* feed) {
  input_file in;
  if (!open_input(path, in)) return false;
  grok_state s{parser, path, in.ctime, static_cast<size_t>(in.size), &list,
               whitelist, feed, {}, {}, {}, target::outside, {}};
  begin_pass(parser, &s, true);
  XML_SetDefaultHandlerExpand(parser, pass_text<grok_state>);
  XML_SetSkippedEntityHandler(parser, skipped_entity);
  XML_SetStartElementHandler(parser, input_begin);
  return run_pass(parser, path, in);
}
