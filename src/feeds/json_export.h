// The JSON export: every article, sorted, as one JSON document.
#ifndef VORN_FEEDS_JSON_EXPORT_H_
#define VORN_FEEDS_JSON_EXPORT_H_

#include <string_view>

#include <expat.h>

#include "articles/request.h"
#include "markup/writer.h"

// Reads every input of R, sorts, then writes the document to R's output
// ("-" for standard output).  Nothing is opened when an input fails.
bool write_json(XML_Parser parser, const request& r);

// Writes S as a JSON string literal, quotes included.
void json_string(Writer& f, std::string_view s);

#endif  // VORN_FEEDS_JSON_EXPORT_H_
