// The check of vorn's markers: an attribute whose name begins with
// "data-vorn-", in any letter case, is meant for vorn, so one that is none
// of vorn's names (keywords.h) and no data-vorn-set-KEY is a mistake that
// would otherwise pass without a word.  Every pass over an article file or
// a template calls the check on the attributes it is given.
#ifndef VORN_BASE_MARKERS_H_
#define VORN_BASE_MARKERS_H_

#include <string_view>

#include <expat.h>

// Warns at the parser's position about each unknown data-vorn-* attribute
// among ATTS (the parser's name, value, ..., null list) of the document
// PATH, once per name and document in a run:
//   "PATH:LINE:COLUMN: unknown attribute NAME (did you mean KNOWN?)"
// the part in parentheses only when a known name is near (see
// nearest_marker).  Costs one byte comparison for any other attribute.
void check_markers(XML_Parser parser, const char* path, const char** atts);

// The known data-vorn-* attribute nearest to NAME, which begins with
// "data-vorn-" in any case, or null when none is near.  Names are
// compared after the prefix, without regard to letter case, by the number
// of letters inserted, deleted, replaced or swapped with the next one; a
// known name is near when at most two such edits, and fewer than the
// letters after the prefix of NAME, turn one into the other.  Of several
// equally near, the first in the keyword list.
const char* nearest_marker(std::string_view name);

#endif  // VORN_BASE_MARKERS_H_
