#include "harness.h"

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "articles/read_files.h"

namespace {

[[noreturn]] void die(const char* what) {
  std::fprintf(stderr, "fuzz harness: %s: %s\n", what, std::strerror(errno));
  std::abort();
}

struct process_state {
  std::string scratch;   // absolute path of the scratch directory
  int scratch_fd = -1;
  int home_fd = -1;      // the directory the process started in
  std::FILE* quiet = nullptr;  // /dev/null, for vorn's messages
};

process_state* state = nullptr;

// Removes every entry of the current directory.
void empty_current_directory() {
  DIR* d = opendir(".");
  if (!d) die("opendir");
  std::vector<std::string> names;
  while (dirent* e = readdir(d)) {
    if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
      names.emplace_back(e->d_name);
  }
  closedir(d);
  for (const std::string& n : names) {
    if (unlink(n.c_str()) == 0) continue;
    std::error_code ec;
    std::filesystem::remove_all(n, ec);
    if (ec) die(n.c_str());
  }
}

void remove_scratch() {
  if (!state || state->scratch.empty()) return;
  std::error_code ec;
  std::filesystem::remove_all(state->scratch, ec);
  state->scratch.clear();
}

// A crash ends the process without running exit handlers, so its scratch
// directory stays (with the files of the input that crashed, until the
// crash is looked into).  The next process removes those under BASE whose
// process no longer runs: vorn-fuzz-PID-XXXXXX.
void remove_abandoned_scratch(const char* base) {
  DIR* d = opendir(base);
  if (!d) return;
  std::vector<std::string> gone;
  while (dirent* e = readdir(d)) {
    unsigned long pid = 0;
    int end = 0;
    if (std::sscanf(e->d_name, "vorn-fuzz-%lu-%*6[A-Za-z0-9]%n", &pid,
                    &end) == 1 &&
        e->d_name[end] == '\0' && pid > 0 &&
        kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
      gone.push_back(std::string(base) + "/" + e->d_name);
  }
  closedir(d);
  for (const std::string& g : gone) {
    std::error_code ec;
    std::filesystem::remove_all(g, ec);
  }
}

// Once per process: the scratch directory, standard output on /dev/null
// (the tag listing and "-o -" write there), and a fixed time zone so that
// dates print the same everywhere.
process_state& process() {
  if (state) return *state;
  state = new process_state;
  const char* base = std::getenv("TMPDIR");
  if (!base || !*base)
    base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  remove_abandoned_scratch(base);
  std::string templ =
      std::string(base) + "/vorn-fuzz-" + std::to_string(getpid()) + "-XXXXXX";
  if (!mkdtemp(templ.data())) die(templ.c_str());
  state->scratch = std::filesystem::absolute(templ).string();
  std::atexit(remove_scratch);
  state->scratch_fd = open(state->scratch.c_str(), O_RDONLY | O_DIRECTORY);
  state->home_fd = open(".", O_RDONLY | O_DIRECTORY);
  if (state->scratch_fd < 0 || state->home_fd < 0) die("open directory");

  int null_fd = open("/dev/null", O_WRONLY);
  if (null_fd < 0 || dup2(null_fd, 1) < 0) die("/dev/null");
  close(null_fd);
  if (!std::getenv("VORN_FUZZ_STDERR")) {
    state->quiet = std::fopen("/dev/null", "w");
    if (!state->quiet) die("/dev/null");
  }
  setenv("TZ", "UTC", 1);
  tzset();
  std::setlocale(LC_ALL, "");
  return *state;
}

std::FILE* saved_stderr = nullptr;

}  // namespace

// libFuzzer writes a crash reproducer under a name relative to the current
// directory, which during a run is the scratch directory: unless told
// where, it would be written there, and lost.  Before libFuzzer reads its
// options, an -artifact_prefix naming the directory the process started
// in is added.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  for (int i = 1; i < *argc; ++i)
    if (std::strncmp((*argv)[i], "-artifact_prefix=", 17) == 0 ||
        std::strncmp((*argv)[i], "-exact_artifact_path=", 21) == 0)
      return 0;
  std::string prefix =
      "-artifact_prefix=" + std::filesystem::current_path().string() + "/";
  char** args = new char*[static_cast<size_t>(*argc) + 2];
  std::copy(*argv, *argv + *argc, args);
  args[*argc] = strdup(prefix.c_str());
  args[*argc + 1] = nullptr;
  ++*argc;
  *argv = args;
  return 0;
}

fuzz_run::fuzz_run(const uint8_t* data, size_t size)
    : parser_(nullptr, XML_ParserFree) {
  process_state& p = process();
  if (size == 0) return;
  usable_ = true;
  options_ = data[size - 1];
  doc_ = std::string_view(reinterpret_cast<const char*>(data), size - 1);
  if (fchdir(p.scratch_fd) != 0) die("fchdir");
  if (p.quiet) {
    saved_stderr = stderr;
    stderr = p.quiet;
  }
  parser_.reset(XML_ParserCreate(nullptr));
  if (!parser_) die("XML_ParserCreate");
}

fuzz_run::~fuzz_run() {
  if (!usable_) return;
  process_state& p = *state;
  parser_.reset();
  if (p.quiet) {
    std::fflush(p.quiet);
    stderr = saved_stderr;
  }
  empty_current_directory();
  if (fchdir(p.home_fd) != 0) die("fchdir");
}

std::string_view fuzz_run::first() const {
  return doc_.substr(0, doc_.find(kPairSeparator));
}

std::string_view fuzz_run::second() const {
  size_t at = doc_.find(kPairSeparator);
  if (at == std::string_view::npos) return {};
  return doc_.substr(at + kPairSeparator.size());
}

void put_file(const char* name, std::string_view content) {
  int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) die(name);
  while (!content.empty()) {
    ssize_t n = write(fd, content.data(), content.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      die(name);
    }
    content.remove_prefix(static_cast<size_t>(n));
  }
  if (close(fd) != 0) die(name);
}

void make_folder(const char* name) {
  if (mkdir(name, 0755) != 0) die(name);
}

bool source_names(XML_Parser parser, std::span<char* const> inputs,
                  std::vector<std::string>& names) {
  article_records list;
  bool ok = read_article_files(parser, inputs, list);
  for (const article& a : list) names.push_back(a.src);
  return ok;
}

bool stays_inside(std::string_view name) {
  if (name.starts_with('/')) return false;
  while (!name.empty()) {
    size_t slash = name.find('/');
    if (name.substr(0, slash) == "..") return false;
    if (slash == std::string_view::npos) break;
    name.remove_prefix(slash + 1);
  }
  return true;
}
