#include "articles/feedsafe.h"

#include <err.h>

#include "markup/entities.h"

void feed_reading::entity_reference(std::string& out, const char* name,
                                    const char* path) {
  if (char32_t code = xhtml_entity(name)) {
    out += "&#";
    out += std::to_string(static_cast<unsigned long>(code));
    out += ';';
    return;
  }
  out += '&';
  out += name;
  out += ';';
  if (warned_.insert(name).second)
    warnx("%s: undeclared entity &%s; in the feed", path, name);
}

void append_xml_text(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c; break;
    }
  }
}

void escape_lt_after(std::string& buf, size_t from) {
  for (size_t i = buf.find('<', from + 1); i != std::string::npos;
       i = buf.find('<', i + 4))
    buf.replace(i, 1, "&lt;");
}
