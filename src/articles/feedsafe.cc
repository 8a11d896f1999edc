#include "articles/feedsafe.h"

#include "base/diagnostics.h"

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
  report_once(name, "%s: undeclared entity &%s; in the feed", path, name);
}
