#include "markup/capture.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string_view>

#include "markup/escape.h"
#include "base/keywords.h"

namespace {

// In byte order: a test at compile time below keeps it so.
constexpr std::string_view kAtomAttributes[] = {
    "abbr",       "accept",    "accept-charset", "accesskey", "action",
    "align",      "alt",       "axis",           "border",    "cellpadding",
    "cellspacing", "char",     "charoff",        "charset",   "checked",
    "cite",       "class",     "clear",          "color",     "cols",
    "colspan",    "compact",   "coords",         "datetime",  "dir",
    "disabled",   "enctype",   "for",            "frame",     "headers",
    "height",     "href",      "hreflang",       "hspace",    "id",
    "ismap",      "label",     "lang",           "longdesc",  "maxlength",
    "media",      "method",    "multiple",       "name",      "nohref",
    "noshade",    "nowrap",    "prompt",         "readonly",  "rel",
    "rev",        "rows",      "rowspan",        "rules",     "scope",
    "selected",   "shape",     "size",           "span",      "src",
    "srcset",     "start",     "summary",        "tabindex",  "target",
    "title",      "type",      "usemap",         "valign",    "value",
    "vspace",     "width",
};
static_assert(std::is_sorted(std::begin(kAtomAttributes),
                             std::end(kAtomAttributes)),
              "bisection needs the feed's attribute names in byte order");

// Compares ENTRY, a lower-case name, with NAME lowered, in byte order.
int compare_lowered(std::string_view entry, std::string_view name) {
  size_t n = std::min(entry.size(), name.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char a = static_cast<unsigned char>(entry[i]);
    unsigned char b = static_cast<unsigned char>(ascii_lower(name[i]));
    if (a != b) return a < b ? -1 : 1;
  }
  return entry.size() < name.size() ? -1 : entry.size() > name.size();
}

bool kept(const char* name, whitelist_t whitelist) {
  if (!whitelist) return true;
  std::string_view key(name);
  const std::string_view* first = whitelist->names;
  const std::string_view* last = first + whitelist->count;
  const std::string_view* it = std::lower_bound(
      first, last, key, [](std::string_view entry, std::string_view k) {
        return compare_lowered(entry, k) < 0;
      });
  return it != last && compare_lowered(*it, key) == 0;
}

}  // namespace

const attribute_names atom_whitelist = {kAtomAttributes,
                                        std::size(kAtomAttributes)};

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
