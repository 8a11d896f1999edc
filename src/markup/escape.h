// Escaping: one table of replacements per escaping, and one loop that
// writes text through a table into any sink (a Writer, or a string while
// markup is captured).
#ifndef VORN_MARKUP_ESCAPE_H_
#define VORN_MARKUP_ESCAPE_H_

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

// For each byte, what is written in its place; a length of 0 writes the
// byte itself.
struct escape_table {
  unsigned char len[256] = {};
  char text[256][8] = {};

  constexpr escape_table() = default;
  constexpr escape_table(
      std::initializer_list<std::pair<unsigned char, std::string_view>> reps) {
    for (const auto& [c, rep] : reps) set(c, rep);
  }
  constexpr void set(unsigned char c, std::string_view rep) {
    len[c] = static_cast<unsigned char>(rep.size());
    for (size_t i = 0; i < rep.size() && i < sizeof text[c]; ++i)
      text[c][i] = rep[i];
  }
};

// Nothing escaped.
inline constexpr escape_table kEscapeNone{};
// ' ' -> "\ ": the form in which a tag word list keeps a space in a word.
inline constexpr escape_table kEscapeSpaces{{' ', "\\ "}};
// '"' -> "&quot;": variable values inside attribute values.
inline constexpr escape_table kEscapeQuotes{{'"', "&quot;"}};
inline constexpr escape_table kEscapeSpacesQuotes{{' ', "\\ "},
                                                  {'"', "&quot;"}};
// The values of printed and captured start tags: '"' and '&'.
inline constexpr escape_table kEscapeTagAttribute{{'"', "&quot;"},
                                                  {'&', "&amp;"}};
// Captured start tags read for the Atom feed: '<' too, which XML does not
// allow in attribute values.
inline constexpr escape_table kEscapeFeedAttribute{
    {'"', "&quot;"}, {'&', "&amp;"}, {'<', "&lt;"}};
// Decoded text made fit for XML character data.
inline constexpr escape_table kEscapeXmlText{
    {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}};
// Any decoded text made fit for XML text and attribute values.
inline constexpr escape_table kEscapeXml{
    {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}};

// Appends to a string as a Writer writes to a file.
struct string_sink {
  std::string& s;
  void write(const char* p, size_t n) { s.append(p, n); }
};

// Writes TEXT to OUT with every byte that TABLE names replaced.
template <class Sink>
void write_escaped(Sink& out, std::string_view text,
                   const escape_table& table) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  size_t run = 0, i = 0;
  for (;;) {
    // Four bytes at a time while none of them is escaped.
    while (i + 4 <= size && (table.len[p[i]] | table.len[p[i + 1]] |
                             table.len[p[i + 2]] | table.len[p[i + 3]]) == 0)
      i += 4;
    while (i < size && table.len[p[i]] == 0) ++i;
    out.write(text.data() + run, i - run);
    if (i == size) return;
    out.write(table.text[p[i]], table.len[p[i]]);
    run = ++i;
  }
}

// Writes a tag word as it is printed: a backslash that keeps a space in
// the word is left out, and the rest goes through TABLE.
template <class Sink>
void write_tag_word(Sink& out, std::string_view tag,
                    const escape_table& table) {
  size_t at;
  while ((at = tag.find("\\ ")) != std::string_view::npos) {
    write_escaped(out, tag.substr(0, at), table);
    tag.remove_prefix(at + 1);
  }
  write_escaped(out, tag, table);
}

#endif  // VORN_MARKUP_ESCAPE_H_
