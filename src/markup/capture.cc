#include "markup/capture.h"

#include <cstring>

#include "markup/escape.h"
#include "startup/keywords.h"

const char* const atom_whitelist[] = {
    "abbr",       "accept",    "accept-charset", "accesskey", "action",
    "align",      "alt",       "axis",           "border",    "cellpadding",
    "cellspacing", "char",     "charoff",        "charset",   "checked",
    "cite",       "class",     "clear",          "cols",      "colspan",
    "color",      "compact",   "coords",         "datetime",  "dir",
    "disabled",   "enctype",   "for",            "frame",     "headers",
    "height",     "href",      "hreflang",       "hspace",    "id",
    "ismap",      "label",     "lang",           "longdesc",  "maxlength",
    "media",      "method",    "multiple",       "name",      "nohref",
    "noshade",    "nowrap",    "prompt",         "readonly",  "rel",
    "rev",        "rows",      "rowspan",        "rules",     "scope",
    "selected",   "shape",     "size",           "span",      "src",
    "srcset",     "start",     "summary",        "tabindex",  "target",
    "title",      "type",      "usemap",         "valign",    "value",
    "vspace",     "width",     nullptr,
};

namespace {

bool kept(const char* name, whitelist_t whitelist) {
  if (!whitelist) return true;
  for (; *whitelist; ++whitelist)
    if (ascii_iequal(name, *whitelist)) return true;
  return false;
}

}  // namespace

void capture_text(std::string& buf, const char* text, int len) {
  if (len > 0) buf.append(text, static_cast<size_t>(len));
}

void capture_attribute_value(std::string& buf, const char* value) {
  string_sink sink{buf};
  write_escaped(sink, value, kEscapeTagAttribute);
}

void capture_start_tag(std::string& buf, const char* name, const char** atts,
                       whitelist_t whitelist, const escape_table& values) {
  buf += '<';
  buf.append(name);
  for (; atts[0]; atts += 2) {
    if (!kept(atts[0], whitelist)) continue;
    buf += ' ';
    buf.append(atts[0]);
    buf.append("=\"");
    string_sink sink{buf};
    write_escaped(sink, atts[1], values);
    buf += '"';
  }
  buf.append(is_void_element(name) ? "/>" : ">");
}

void capture_end_tag(std::string& buf, const char* name) {
  if (is_void_element(name)) return;
  buf.append("</");
  buf.append(name);
  buf += '>';
}

void capture_nested_start(nesting& stack, std::string& buf, const char* name,
                          const char** atts) {
  stack.enter(name);
  capture_start_tag(buf, name, atts, nullptr);
}

bool capture_nested_end(nesting& stack, std::string& buf, const char* name) {
  if (stack.leave(name)) return true;
  capture_end_tag(buf, name);
  return false;
}
