// An article file through the tag listing (-l), in all its forms.
// Option byte: bit 0 the bracketed form (-j), bit 1 by tag (-r), bit 2 one
// line per article or tag (-l -l).
#include "feeds/tag_listing.h"
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_run run(data, size);
  if (!run.usable()) return 0;
  put_file("article.xml", run.document());
  char* inputs[] = {const_cast<char*>("article.xml")};
  uint8_t o = run.options();
  list_tags(run.parser(), {.inputs = inputs, .json = (o & 1) != 0,
                           .reverse = (o & 2) != 0, .repeated = (o & 4) != 0});
  return 0;
}
