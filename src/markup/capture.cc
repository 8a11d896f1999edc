#include "markup/capture.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

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

constexpr size_t kAtomWhitelistSize =
    sizeof atom_whitelist / sizeof *atom_whitelist - 1;

// The names of the feed's whitelist in byte order, for bisection: every
// attribute of every article read for the feed is looked up.
const std::vector<std::string_view>& sorted_atom_whitelist() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> v(atom_whitelist,
                                    atom_whitelist + kAtomWhitelistSize);
    std::sort(v.begin(), v.end());
    return v;
  }();
  return names;
}

bool kept(const char* name, whitelist_t whitelist) {
  if (!whitelist) return true;
  if (whitelist == atom_whitelist) {
    // Its names are lower case: compare NAME in lower case.
    char lower[32];
    size_t n = 0;
    for (; name[n]; ++n) {
      if (n == sizeof lower) return false;  // longer than any name
      char c = name[n];
      lower[n] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    }
    const auto& names = sorted_atom_whitelist();
    return std::binary_search(names.begin(), names.end(),
                              std::string_view(lower, n));
  }
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
