#include "feeds/atom_feed.h"

#include <cassert>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dates.h"
#include "articles/read_files.h"
#include "base/diagnostics.h"
#include "markup/capture.h"
#include "templates/expand.h"
#include "markup/output.h"
#include "templates/template_pass.h"
#include "base/input.h"
#include "base/keywords.h"
#include "base/markers.h"

namespace {

// Settings of an entry slot, from the attributes of its start tag.
enum {
  ENTRY_STRIPLINK = 0x1,    // the plain alternate link is stripsrc
  ENTRY_ALTLINK = 0x2,      // the entry gets an alternate link line
  ENTRY_CONTENT = 0x4,      // the content is the whole article
  ENTRY_FORALL = 0x8,       // entries for every remaining article
  ENTRY_ATOMCONTENT = 0x10, // the body is the slot's own content
};

// ${vorn-url} in a feed always names the feed, whatever -o says.
constexpr const char* kFeedUrl = "atom.xml";

// The template pass.  It moves between four handler sets: copying the
// template, inside an id element, inside an updated element and inside
// an entry slot.
struct atom_state {
  Writer* f = nullptr;
  const char* templ = nullptr;
  XML_Parser parser = nullptr;
  std::optional<std::string> feedid;   // text of the last id, or made
  std::optional<std::string> altlink;  // href of the last alternate link
  article_list articles;
  size_t entry = 0;  // index of the next article to become an entry
  nesting stack;     // the open entry slot
  int flags = 0;     // ENTRY_* of the open slot
  std::string entrybuf;                // captured content of the slot
  std::optional<std::string> altfmt;   // the slot's data-vorn-altlink-fmt
};

atom_state& st(void* data) { return *static_cast<atom_state*>(data); }

void XMLCALL tmpl_begin(void* data, const char* name, const char** atts);
void XMLCALL tmpl_end(void* data, const char* name);
void XMLCALL tmpl_text(void* data, const char* text, int len);

void copying(atom_state& s) {
  XML_SetElementHandler(s.parser, tmpl_begin, tmpl_end);
  XML_SetDefaultHandlerExpand(s.parser, tmpl_text);
}

// Reports MESSAGE and ends the pass.  The handlers go too: Expat still
// delivers the end of an empty element whose start stopped the parse, and
// nothing more may be printed or reported for this pass.
void stop(atom_state& s, const char* message) {
  report("%s: %s", s.templ, message);
  XML_StopParser(s.parser, XML_FALSE);
  XML_SetElementHandler(s.parser, nullptr, nullptr);
  XML_SetDefaultHandlerExpand(s.parser, nullptr);
}

// Every expansion in a feed is for the article of the entry being written.
expansion entry_place(const atom_state& s) {
  return page_of(s.articles, s.entry, kFeedUrl);
}

void print_entry(atom_state& s) {
  Writer& f = *s.f;
  if (s.flags & ENTRY_ATOMCONTENT) {
    xmltextx(f, s.entrybuf, entry_place(s));
    return;
  }
  const article& a = *s.articles[s.entry];
  date_buffer buf;
  std::string_view date = format_utc(a.time, kUtcDateTime, buf);

  // The entry id: the feed id without a trailing slash, "/", the source
  // name and "#" with the date.
  std::string_view id = s.feedid ? std::string_view(*s.feedid) : "";
  if (!id.empty() && id.back() == '/') id.remove_suffix(1);
  f.write("\t\t<id>");
  f.write(id);
  f.put('/');
  emit_xml_escaped(f, a.src);
  f.put('#');
  f.write(date);
  f.write("</id>\n\t\t<updated>");
  f.write(date);
  f.write("</updated>\n\t\t<title>");
  if (a.titletext) f.write(*a.titletext);
  f.write("</title>\n\t\t<author><name>");
  if (a.authortext) f.write(*a.authortext);
  f.write("</name></author>\n");
  if (s.flags & ENTRY_ALTLINK) {
    f.write("\t\t<link rel=\"alternate\" type=\"text/html\" href=\"");
    if (s.altfmt) {
      xmltextx_attribute(f, *s.altfmt, entry_place(s));
    } else {
      emit_xml_escaped(f, s.flags & ENTRY_STRIPLINK ? a.stripsrc : a.src);
    }
    f.write("\" />\n");
  }
  f.write("\t\t<content type=\"xhtml\">\n"
          "\t\t\t<div xmlns=\"http://www.w3.org/1999/xhtml\">\n");
  xmltextx(f, s.flags & ENTRY_CONTENT ? a.articlexml : a.aside,
           entry_place(s));
  f.write("</div>\n\t\t</content>\n");
}

void XMLCALL tmpl_text(void* data, const char* text, int len) {
  st(data).f->write(text, static_cast<size_t>(len));
}

void XMLCALL tmpl_end(void* data, const char* name) {
  emit_end_tag(*st(data).f, name);
}

// Inside id: the text is the feed id; no element is allowed.

void XMLCALL id_text(void* data, const char* text, int len) {
  atom_state& s = st(data);
  if (len <= 0) return;
  if (!s.feedid) s.feedid.emplace();
  capture_text(*s.feedid, text, len);
  s.f->write(text, static_cast<size_t>(len));
}

void XMLCALL id_begin(void* data, const char*, const char**) {
  stop(st(data), "no elements allowed in <id>");
}

void XMLCALL id_end(void* data, const char*) {
  atom_state& s = st(data);
  if (!s.feedid) {
    // An empty id is made from the alternate link, which must be
    // absolute; a link without a path gets "/" as its path.
    if (!s.altlink) {
      stop(s, "need at least <link> to create <id>");
      return;
    }
    std::string_view link = *s.altlink;
    size_t scheme = link.starts_with("http://")    ? 7
                    : link.starts_with("https://") ? 8
                                                   : 0;
    if (scheme == 0) {
      stop(s, "need absolute <link> URL to create <id>");
      return;
    }
    s.feedid = *s.altlink;
    if (link.find('/', scheme) == std::string_view::npos) *s.feedid += '/';
    s.f->write(*s.feedid);
  }
  s.f->write("</id>");
  copying(s);
}

// Inside updated: the content is dropped; no element is allowed.

void XMLCALL updated_begin(void* data, const char*, const char**) {
  stop(st(data), "no elements allowed in <updated>");
}

void XMLCALL updated_end(void* data, const char*) {
  atom_state& s = st(data);
  s.f->write("</updated>");
  copying(s);
}

// Inside an entry slot: the content is captured; nested entry elements
// are counted so that the slot ends at its own end tag.

void XMLCALL entry_text(void* data, const char* text, int len) {
  capture_text(st(data).entrybuf, text, len);
}

void XMLCALL entry_begin(void* data, const char* name, const char** atts) {
  atom_state& s = st(data);
  check_markers(s.parser, s.templ, atts);
  capture_nested_start(s.stack, s.entrybuf, name, atts);
}

void write_entry(atom_state& s) {
  s.f->write("<entry>\n");
  print_entry(s);
  s.f->write("\t</entry>\n");
  s.entry++;
}

void XMLCALL entry_end(void* data, const char* name) {
  atom_state& s = st(data);
  if (!capture_nested_end(s.stack, s.entrybuf, name)) return;
  copying(s);
  if (s.entry < s.articles.size()) {
    write_entry(s);
    if (s.flags & ENTRY_FORALL) {
      while (s.entry < s.articles.size()) {
        s.f->put('\t');
        write_entry(s);
      }
    }
  }
  s.entrybuf.clear();
  s.entrybuf.shrink_to_fit();
  s.altfmt.reset();
}

void open_entry_slot(atom_state& s, const char* name, const char** atts) {
  s.flags = 0;
  s.stack.open(name);
  for (; atts[0]; atts += 2) {
    int bit = 0;
    switch (keyword_lookup(atts[0])) {
      case KW_STRIPLINK: bit = ENTRY_STRIPLINK; break;
      case KW_ALTLINK: bit = ENTRY_ALTLINK; break;
      case KW_CONTENT: bit = ENTRY_CONTENT; break;
      case KW_FORALL: bit = ENTRY_FORALL; break;
      case KW_ATOMCONTENT: bit = ENTRY_ATOMCONTENT; break;
      case KW_ALTLINK_FMT: s.altfmt = atts[1]; break;
      default: break;
    }
    if (bit && xmlbool(atts[1])) s.flags |= bit;
  }
  XML_SetElementHandler(s.parser, entry_begin, entry_end);
  XML_SetDefaultHandlerExpand(s.parser, entry_text);
}

void link_begin(atom_state& s, const char* name, const char** atts) {
  const char* href = nullptr;
  bool alternate = true;
  for (const char** a = atts; a[0]; a += 2) {
    if (!href && std::strcmp(a[0], "href") == 0) href = a[1];
    if (std::strcmp(a[0], "rel") == 0 && std::strcmp(a[1], "alternate") != 0)
      alternate = false;
  }
  if (!href) {
    stop(s, "no href");
    return;
  }
  emit_start_tag_copy(*s.f, name, atts);
  if (alternate) s.altlink = href;
}

void XMLCALL tmpl_begin(void* data, const char* name, const char** atts) {
  atom_state& s = st(data);
  assert(!s.stack.is_open());
  check_markers(s.parser, s.templ, atts);
  switch (keyword_lookup(name)) {
    case KW_E_LINK:
      link_begin(s, name, atts);
      return;
    case KW_E_ID:
      s.f->write("<id>");
      s.feedid.reset();
      XML_SetElementHandler(s.parser, id_begin, id_end);
      XML_SetDefaultHandlerExpand(s.parser, id_text);
      return;
    case KW_E_UPDATED: {
      date_buffer buf;
      int64_t t = s.entry < s.articles.size() ? s.articles[s.entry]->time
                                              : run_time();
      s.f->write("<updated>");
      s.f->write(format_utc(t, kUtcDateTime, buf));
      XML_SetElementHandler(s.parser, updated_begin, updated_end);
      XML_SetDefaultHandlerExpand(s.parser, nullptr);
      return;
    }
    case KW_E_ENTRY:
      if (attribute_is_true(atts, KW_ENTRY)) {
        open_entry_slot(s, name, atts);
        return;
      }
      break;
    default:
      break;
  }
  emit_start_tag_copy(*s.f, name, atts);
}

constexpr template_handlers kHandlers = {
    .begin = tmpl_begin, .end = tmpl_end, .text = tmpl_text};

}  // namespace

bool build_atom_feed(XML_Parser parser, const request& r) {
  sorted_articles_t articles;
  feed_reading feed;
  if (!read_sorted_articles(parser, r.inputs, r.by, articles, &atom_whitelist,
                            &feed))
    return false;

  atom_state s;
  auto setup = [&](Writer& out, const char*) {
    s.f = &out;
    s.templ = r.templ;
    s.parser = parser;
    s.articles = articles.sorted;
    return true;
  };
  return write_from_template(parser, r.templ, r.output, kHandlers, &s, setup);
}
