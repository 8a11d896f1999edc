// An article file through the reader and the JSON export (-j).
// Option byte: the sort order.
#include "feeds/json_export.h"
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_run run(data, size);
  if (!run.usable()) return 0;
  put_file("article.xml", run.document());
  char* inputs[] = {const_cast<char*>("article.xml")};
  write_json(run.parser(), {.inputs = inputs, .output = "blog.json",
                            .by = order_of(run.options())});
  return 0;
}
