// A template run over an output: the one skeleton that the single-article
// page, the blog pages and the Atom feed share.  Each builder brings its
// own pass state and element handlers; this opens the output, reads the
// template, runs the pass, ends the output with one newline and closes it.
#ifndef VORN_TEMPLATES_TEMPLATE_PASS_H_
#define VORN_TEMPLATES_TEMPLATE_PASS_H_

#include <functional>
#include <string>

#include <expat.h>

#include "markup/output.h"
#include "markup/writer.h"
#include "base/input.h"

// The handlers of one builder's template pass, installed on the parser
// with the builder's state as user data.
struct template_handlers {
  XML_StartElementHandler begin = nullptr;
  XML_EndElementHandler end = nullptr;
  XML_DefaultHandler text = nullptr;  // installed in the expanding form
  // Undeclared entities: with a handler, references to them reach it
  // (foreign-DTD mode); without one, they are parse errors.
  XML_SkippedEntityHandler skipped = nullptr;
  // After a successful parse, before the final newline: prints whatever
  // the pass still holds.  May be null.
  void (*finish)(void* state) = nullptr;
};

// The handlers of a pass whose state holds template text until the next
// element boundary and prints it there, expanded: State has the members
// f (the output), text(p, n) (holds text) and flush() (prints it).  Text
// and undeclared entities are held; an end tag and the end of the pass
// print what is held first.
template <class State>
void XMLCALL flush_held(void* data) {
  static_cast<State*>(data)->flush();
}

template <class State>
void XMLCALL end_after_flush(void* data, const char* name) {
  State& s = *static_cast<State*>(data);
  s.flush();
  emit_end_tag(*s.f, name);
}

template <class State>
constexpr template_handlers holding_handlers(XML_StartElementHandler begin) {
  return {.begin = begin,
          .end = end_after_flush<State>,
          .text = pass_text<State>,
          .skipped = pass_skipped_entity<State>,
          .finish = flush_held<State>};
}

// A template read once, for one pass or many.
struct template_file {
  const char* path = nullptr;
  std::string bytes;
};

// Reads the template at PATH into T; false after reporting.
bool load_template(const char* path, template_file& t);

// Fills the pass state for one output before its pass: OUT is the output,
// URL its name (null for standard output).  May refuse, after reporting.
using pass_setup = std::function<bool(Writer& out, const char* url)>;

// Writes OUTPUT ("-": standard output) from the template at TEMPL.  An
// output that cannot be opened is reported before the template is read.
// Returns false after reporting any failure.
bool write_from_template(XML_Parser parser, const char* templ,
                         const std::string& output,
                         const template_handlers& handlers, void* state,
                         const pass_setup& setup);

// The same with the template already read: -L writes every page from one.
bool write_from_template(XML_Parser parser, const template_file& t,
                         const std::string& output,
                         const template_handlers& handlers, void* state,
                         const pass_setup& setup);

#endif  // VORN_TEMPLATES_TEMPLATE_PASS_H_
