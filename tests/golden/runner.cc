// Runs the end-to-end cases of one case file against the vorn binary.
//
//   golden_runner PATH/TO/vorn CASEFILE
//
// A case file holds cases; each case starts with "=== NAME" and is made of
// sections that start with "--- ":
//
//   --- file PATH [noeol] [escaped]   an input file, created before the run
//   --- run                           one shell command line (vorn is on PATH)
//   --- stdout [noeol] [escaped]      expected standard output (default empty)
//   --- stderr [noeol] [escaped]      expected standard error (default empty)
//   --- status                        expected exit status (default 0)
//   --- out PATH [noeol] [escaped]    a file the run must leave with this content
//   --- absent PATH                   a file the run must not leave behind
//   --- unchanged PATH                a file written by a file section
//                                     that the run must leave as it was
//   --- skip-sanitized                skip this case in the sanitizer build
//   --- skip-root                     skip this case when run as root, who
//                                     may write where others may not
//   --- needs-disk MB                 skip this case when its folder's file
//                                     system has less than MB MiB free
//
// A section's content is the lines up to the next section or case, each
// with its newline; "noeol" drops the last newline, "escaped" reads \n, \t,
// \\ and \xHH; "@VERSION@" stands for vorn's version everywhere.  Lines
// starting with "#" before the first case are comments.
// "--- file" sections before the first case are common to every case of
// the file: they are written first, and a case's own file of the same
// name replaces them.
// Blank lines between cases belong to the section before them, so cases
// end with their run section, where a blank line does no harm.
// Each case runs in a new empty directory with TZ=UTC and LC_ALL=C, and
// without SOURCE_DATE_EPOCH.

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "base/version.h"

namespace fs = std::filesystem;

namespace {

struct section {
  std::string kind, arg;
  bool noeol = false, escaped = false;
  std::string body;
};

struct test_case {
  std::string name;
  int line = 0;
  std::vector<section> sections;
};

// S with every "@VERSION@" replaced by vorn's version, so that the cases
// need no edit when it changes.
std::string with_version(std::string s) {
  static constexpr std::string_view kToken = "@VERSION@";
  for (size_t at = 0; (at = s.find(kToken, at)) != std::string::npos;) {
    s.replace(at, kToken.size(), kVersion);
    at += std::strlen(kVersion);
  }
  return s;
}

std::string unescape(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    char c = s[++i];
    if (c == 'n') out += '\n';
    else if (c == 't') out += '\t';
    else if (c == '\\') out += '\\';
    else if (c == 'x' && i + 2 < s.size() && std::isxdigit(
                 static_cast<unsigned char>(s[i + 1])) &&
             std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
      out += static_cast<char>(std::strtol(s.substr(i + 1, 2).c_str(),
                                           nullptr, 16));
      i += 2;
    } else {
      out += '\\';
      out += c;
    }
  }
  return out;
}

// The cases of the file at PATH; COMMON gets the sections that stand
// before the first case.
std::vector<test_case> parse(const std::string& path, test_case& common) {
  std::ifstream in(path);
  if (!in) {
    std::cerr << path << ": cannot read\n";
    std::exit(2);
  }
  std::vector<test_case> cases;
  std::string line;
  int n = 0;
  section* cur = nullptr;
  while (std::getline(in, line)) {
    ++n;
    if (line.rfind("=== ", 0) == 0) {
      cases.push_back({line.substr(4), n, {}});
      cur = nullptr;
      continue;
    }
    if (line.rfind("--- ", 0) == 0) {
      test_case& owner = cases.empty() ? common : cases.back();
      std::istringstream words(line.substr(4));
      section s;
      words >> s.kind;
      std::string w;
      while (words >> w) {
        if (w == "noeol") s.noeol = true;
        else if (w == "escaped") s.escaped = true;
        else s.arg = w;
      }
      if (cases.empty() && s.kind != "file") {
        std::cerr << path << ":" << n << ": only files are common to cases\n";
        std::exit(2);
      }
      owner.sections.push_back(s);
      cur = &owner.sections.back();
      continue;
    }
    if (cur) {
      cur->body += line;
      cur->body += '\n';
    } else if (!line.empty() && line[0] != '#') {
      std::cerr << path << ":" << n << ": text outside a section\n";
      std::exit(2);
    }
  }
  auto finish = [](test_case& c) {
    for (section& s : c.sections) {
      if (s.noeol && !s.body.empty()) s.body.pop_back();
      if (s.escaped) s.body = unescape(s.body);
      s.body = with_version(s.body);
    }
  };
  finish(common);
  for (test_case& c : cases) finish(c);
  return cases;
}

std::string slurp(const fs::path& p, bool* exists = nullptr) {
  std::ifstream in(p, std::ios::binary);
  if (exists) *exists = static_cast<bool>(in);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string visible(const std::string& s) {
  std::string out;
  for (unsigned char c : s) {
    if (c == '\n') out += "\\n\n";
    else if (c == '\t') out += "\\t";
    else if (c < 0x20 || c == 0x7f) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", c);
      out += buf;
    } else out += static_cast<char>(c);
  }
  return out;
}

bool expect_eq(const test_case& c, const std::string& what,
               const std::string& want, const std::string& got) {
  if (want == got) return true;
  std::cerr << "FAIL " << c.name << " (line " << c.line << "): " << what
            << "\n--- expected:\n" << visible(want) << "\n--- actual:\n"
            << visible(got) << "\n";
  return false;
}

// Writes the file sections of C into WORK.
void write_files(const test_case& c, const fs::path& work) {
  for (const section& s : c.sections) {
    if (s.kind != "file") continue;
    fs::path p = work / s.arg;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << s.body;
  }
}

// In the child: sets up the descriptors and environment of a case and
// runs COMMAND with the shell; never returns.
[[noreturn]] void exec_case(const std::string& command, const fs::path& work,
                            const fs::path& out_path, const fs::path& err_path,
                            const fs::path& vorn) {
  int o = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  int e = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  int i = open("/dev/null", O_RDONLY);
  if (chdir(work.c_str()) != 0 || o < 0 || e < 0 || i < 0 ||
      dup2(i, 0) < 0 || dup2(o, 1) < 0 || dup2(e, 2) < 0) {
    std::perror("golden_runner: setting up the case");
    _exit(125);
  }
  std::string path = vorn.parent_path().string() + ":" +
                     (std::getenv("PATH") ? std::getenv("PATH") : "/bin:/usr/bin");
  setenv("PATH", path.c_str(), 1);
  setenv("TZ", "UTC", 1);
  setenv("LC_ALL", "C", 1);
  unsetenv("SOURCE_DATE_EPOCH");  // a case sets it where it wants it
  execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
  _exit(127);
}

// Runs COMMAND for case C; its exit status (128 + signal when killed), or
// -1 when it could not be run.
int spawn(const test_case& c, const std::string& command, const fs::path& work,
          const fs::path& out_path, const fs::path& err_path,
          const fs::path& vorn) {
  pid_t pid = fork();
  if (pid < 0) {
    std::cerr << "FAIL " << c.name << ": fork: " << std::strerror(errno) << "\n";
    return -1;
  }
  if (pid == 0) exec_case(command, work, out_path, err_path, vorn);
  int wstatus = 0;
  while (waitpid(pid, &wstatus, 0) < 0) {
    if (errno != EINTR) {
      std::cerr << "FAIL " << c.name << ": waitpid: " << std::strerror(errno)
                << "\n";
      return -1;
    }
  }
  return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
}

// The content that a file section of C (or of COMMON) gave PATH.
const section* file_section(const test_case& common, const test_case& c,
                            const std::string& path) {
  for (const test_case* t : {&c, &common})
    for (const section& s : t->sections)
      if (s.kind == "file" && s.arg == path) return &s;
  return nullptr;
}

// Checks the files the run must leave and must not leave.
bool check_files(const test_case& common, const test_case& c,
                 const fs::path& work) {
  bool ok = true;
  for (const section& s : c.sections) {
    bool exists;
    if (s.kind == "unchanged") {
      const section* before = file_section(common, c, s.arg);
      if (!before) {
        std::cerr << "FAIL " << c.name << ": no file section for " << s.arg
                  << "\n";
        ok = false;
        continue;
      }
      std::string got = slurp(work / s.arg, &exists);
      if (!exists || fs::is_symlink(work / s.arg)) {
        std::cerr << "FAIL " << c.name << ": file " << s.arg << " is gone\n";
        ok = false;
      } else {
        ok &= expect_eq(c, "unchanged file " + s.arg, before->body, got);
      }
    } else if (s.kind == "out") {
      std::string got = slurp(work / s.arg, &exists);
      if (!exists) {
        std::cerr << "FAIL " << c.name << ": file " << s.arg << " missing\n";
        ok = false;
      } else {
        ok &= expect_eq(c, "file " + s.arg, s.body, got);
      }
    } else if (s.kind == "absent" && fs::exists(fs::symlink_status(work / s.arg))) {
      std::cerr << "FAIL " << c.name << ": file " << s.arg << " exists\n";
      ok = false;
    }
  }
  return ok;
}

int skipped_cases = 0;

bool skipped(const test_case& c, const char* why) {
  std::cout << "skipped " << c.name << " (" << why << ")\n";
  ++skipped_cases;
  return true;
}

bool run_case(const test_case& common, const test_case& c, const fs::path& dir,
              const fs::path& vorn) {
  fs::path work = dir / "work";
  fs::create_directories(work);
  std::string command;
  std::string want_out, want_err;
  int want_status = 0;
  for (const section& s : c.sections) {
    if (s.kind == "run") {
      command = s.body;
    } else if (s.kind == "stdout") {
      want_out = s.body;
    } else if (s.kind == "stderr") {
      want_err = s.body;
    } else if (s.kind == "status") {
      want_status = std::atoi(s.body.c_str());
    } else if (s.kind == "skip-sanitized") {
      if (std::getenv("VORN_SANITIZED")) return skipped(c, "sanitized build");
    } else if (s.kind == "skip-root") {
      if (geteuid() == 0) return skipped(c, "run as root");
    } else if (s.kind == "needs-disk") {
      std::error_code ec;
      auto space = fs::space(dir.parent_path(), ec);
      if (ec || space.available / (1024 * 1024) < std::stoull(s.arg))
        return skipped(c, ("less than " + s.arg + " MiB free").c_str());
    } else if (s.kind != "file" && s.kind != "out" && s.kind != "absent" &&
               s.kind != "unchanged") {
      std::cerr << "FAIL " << c.name << ": unknown section " << s.kind << "\n";
      return false;
    }
  }
  if (command.empty()) {
    std::cerr << "FAIL " << c.name << ": no run section\n";
    return false;
  }
  write_files(common, work);
  write_files(c, work);

  fs::path out_path = dir / "stdout", err_path = dir / "stderr";
  int status = spawn(c, command, work, out_path, err_path, vorn);
  if (status < 0) return false;
  bool ok = true;
  ok &= expect_eq(c, "standard output", want_out, slurp(out_path));
  ok &= expect_eq(c, "standard error", want_err, slurp(err_path));
  ok &= expect_eq(c, "exit status", std::to_string(want_status),
                  std::to_string(status));
  return check_files(common, c, work) && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: golden_runner VORN CASEFILE\n";
    return 2;
  }
  fs::path vorn = fs::absolute(argv[1]);
  test_case common;
  std::vector<test_case> cases = parse(argv[2], common);
  char tmpl[] = "/tmp/vorn-golden.XXXXXX";
  if (!mkdtemp(tmpl)) {
    std::perror("mkdtemp");
    return 2;
  }
  fs::path root = tmpl;
  int failed = 0;
  for (size_t i = 0; i < cases.size(); ++i) {
    fs::path dir = root / std::to_string(i);
    if (!run_case(common, cases[i], dir, vorn)) ++failed;
  }
  std::error_code ec;
  fs::remove_all(root, ec);
  std::cout << cases.size() - static_cast<size_t>(failed + skipped_cases)
            << " of " << cases.size() << " cases passed";
  if (skipped_cases) std::cout << ", " << skipped_cases << " skipped";
  std::cout << "\n";
  return failed ? 1 : 0;
}
