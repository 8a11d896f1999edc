#include "templates/template_pass.h"

namespace {

const char* url_of(const std::string& output) {
  return output == "-" ? nullptr : output.c_str();
}

// One pass of T into OUT, then the final newline.
bool run_template(XML_Parser parser, const template_file& t,
                  const template_handlers& h, void* state, Writer& out) {
  begin_pass(parser, state, h.skipped != nullptr);
  XML_SetElementHandler(parser, h.begin, h.end);
  XML_SetDefaultHandlerExpand(parser, h.text);
  if (h.skipped) XML_SetSkippedEntityHandler(parser, h.skipped);
  if (!run_pass(parser, t.path, t.bytes)) return false;
  if (h.finish) h.finish(state);
  out.put('\n');
  return true;
}

}  // namespace

bool load_template(const char* path, template_file& t) {
  t.path = path;
  return read_input(path, t.bytes);
}

bool write_from_template(XML_Parser parser, const char* templ,
                         const std::string& output,
                         const template_handlers& handlers, void* state,
                         const pass_setup& setup) {
  // The output is opened before the template is read: it may not be the
  // template either.
  protect_input(templ);
  Writer out;
  if (!open_output(out, output)) return false;
  template_file t;
  bool ok = load_template(templ, t) && setup(out, url_of(output)) &&
            run_template(parser, t, handlers, state, out);
  return close_output(out, ok);
}

bool write_from_template(XML_Parser parser, const template_file& t,
                         const std::string& output,
                         const template_handlers& handlers, void* state,
                         const pass_setup& setup) {
  Writer out;
  if (!open_output(out, output)) return false;
  bool ok = setup(out, url_of(output)) &&
            run_template(parser, t, handlers, state, out);
  return close_output(out, ok);
}
