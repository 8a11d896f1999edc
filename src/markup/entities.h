// The named character entities of XHTML 1.0: the Latin-1, symbol and
// special sets that an XHTML document may use without declaring them.
#ifndef VORN_MARKUP_ENTITIES_H_
#define VORN_MARKUP_ENTITIES_H_

#include <cstddef>
#include <string_view>

// Number of names in the three sets: 96 Latin-1, 124 symbols and 33
// special characters (amp, lt, gt, quot and apos among them).
inline constexpr size_t kXhtmlEntityCount = 253;

// The code point that the XHTML entity NAME stands for, compared with
// case (Eacute and eacute differ), or 0 when NAME is none of them.
char32_t xhtml_entity(std::string_view name);

#endif  // VORN_MARKUP_ENTITIES_H_
