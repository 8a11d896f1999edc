// Markup capture: re-serialising parser events (text, start tags, end tags)
// into a string instead of printing them.  Text is appended raw, exactly as
// the caller hands it in; only attribute values are escaped.
#ifndef VORN_MARKUP_CAPTURE_H_
#define VORN_MARKUP_CAPTURE_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "markup/escape.h"
#include "base/input.h"

// The attribute names a capture keeps: COUNT names in lower case and in
// byte order, so that a name is found by bisection.  An attribute is kept
// when its name, in any ASCII case, equals one of them.
struct attribute_names {
  const std::string_view* names;
  size_t count;
};

// A whitelist: null keeps every attribute.
using whitelist_t = const attribute_names*;

// The attributes kept in the markup embedded in an Atom feed.
extern const attribute_names atom_whitelist;

// Appends the first LEN bytes of TEXT; nothing when LEN <= 0.
void capture_text(std::string& buf, const char* text, int len);

// Appends "<NAME", each kept attribute as ' name="value"' with the value
// escaped by VALUES ('"' and '&' unless told otherwise), then ">" ("/>"
// for a void element).
void capture_start_tag(std::string& buf, const char* name, const char** atts,
                       whitelist_t whitelist,
                       const escape_table& values = kEscapeTagAttribute);

// Appends "</NAME>" unless NAME is a void element.
void capture_end_tag(std::string& buf, const char* name);

// The tags of an element inside a captured region whose nesting STACK
// counts (a navigation element, an entry slot): appended to BUF without a
// whitelist, all but the end tag that closes the region, for which
// capture_nested_end returns true instead.
void capture_nested_start(nesting& stack, std::string& buf, const char* name,
                          const char** atts);
bool capture_nested_end(nesting& stack, std::string& buf, const char* name);

// Appends VALUE with '"' as "&quot;" and '&' as "&amp;".
void capture_attribute_value(std::string& buf, const char* value);

#endif  // VORN_MARKUP_CAPTURE_H_
