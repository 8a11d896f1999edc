// Replays fuzz inputs through a harness without libFuzzer, so the seed
// corpora run as ordinary tests with any compiler:
//
//   replay_NAME FILE_OR_FOLDER...
//
// Runs LLVMFuzzerTestOneInput once on every file given and on every file
// of every folder given (in name order), naming each on standard error
// first so that a crash points at its input.  vorn's own messages are
// kept (VORN_FUZZ_STDERR): a test's output is shown only when it fails, and
// then they, and an assertion's message, tell what happened.  Fails when
// there is nothing to replay, so that a missing seed folder does not pass
// silently.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  setenv("VORN_FUZZ_STDERR", "1", 0);
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    if (fs::is_directory(argv[i], ec)) {
      std::vector<fs::path> in;
      for (const auto& e : fs::directory_iterator(argv[i]))
        if (e.is_regular_file()) in.push_back(e.path());
      std::sort(in.begin(), in.end());
      files.insert(files.end(), in.begin(), in.end());
    } else if (fs::is_regular_file(argv[i], ec)) {
      files.emplace_back(argv[i]);
    } else {
      std::fprintf(stderr, "%s: %s: no such file or folder\n", argv[0],
                   argv[i]);
      return 2;
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "%s: nothing to replay\n", argv[0]);
    return 2;
  }
  for (const fs::path& f : files) {
    std::fprintf(stderr, "replaying %s\n", f.c_str());
    std::ifstream in(f, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                            std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
      std::fprintf(stderr, "%s: %s: cannot read\n", argv[0], f.c_str());
      return 2;
    }
    // A copy of exactly the input's size, as libFuzzer passes it, so that
    // a read past the end is caught by the sanitizers.
    std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    LLVMFuzzerTestOneInput(copy.get(), bytes.size());
  }
  std::fprintf(stderr, "%s: replayed %zu inputs\n", argv[0], files.size());
  return 0;
}
