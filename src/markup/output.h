// Markup output: the printers that copy template elements and text to an
// output, and the truth test of on/off attributes.
#ifndef VORN_MARKUP_OUTPUT_H_
#define VORN_MARKUP_OUTPUT_H_

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "markup/writer.h"
#include "base/keywords.h"

// How printed text is escaped.  ESCAPE_SPACES is a flag that may be added
// to the other modes.
enum {
  ESCAPE_PLAIN = 0,      // unchanged
  ESCAPE_SPACES = 1,     // ' ' -> '\ '
  ESCAPE_ATTRIBUTE = 2,  // '"' -> "&quot;"
};

// True when S is "1" or "true", ignoring ASCII case.
bool xmlbool(const char* s);

// True when the attribute ID is among ATTS (the parser's name, value, ...,
// null list) with a value that xmlbool accepts.
bool attribute_is_true(const char** atts, keyword id);

// The value of the attribute ID among ATTS, or null.
const char* find_attribute(const char** atts, keyword id);

// Prints TEXT in escape mode ESC.  ESCAPE_ATTRIBUTE | ESCAPE_SPACES applies
// both escapings.
void emit_escaped(Writer& f, std::string_view text, int esc);

// Prints VALUE as a start-tag attribute value: '"' -> "&quot;",
// '&' -> "&amp;".
void emit_attribute_value(Writer& f, std::string_view value);

// Prints TEXT with '&', '<', '>' and '"' as character entities, so that
// any decoded string can stand in XML text or in an attribute value.
void emit_xml_escaped(Writer& f, std::string_view text);

using attr_pair = std::pair<const char*, std::string_view>;

// Prints a start tag with the given attributes (" /" before ">" for a void
// element).
void emit_start_tag(Writer& f, const char* name,
                    std::initializer_list<attr_pair> pairs = {});

// Prints a start tag copying the parser's attribute list, leaving out a
// data-vorn-ign-once attribute whose value is true.
void emit_start_tag_copy(Writer& f, const char* name, const char** atts);

// The two ends of every printed start tag: "<NAME", and " />" for a void
// element or ">" for any other.
void emit_tag_open(Writer& f, const char* name);
void emit_tag_close(Writer& f, const char* name);

// Prints "</NAME>" unless NAME is a void element.
void emit_end_tag(Writer& f, const char* name);

#endif  // VORN_MARKUP_OUTPUT_H_
