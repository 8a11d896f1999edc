// Scratch directories for unit tests.
#ifndef VORN_TESTS_SUPPORT_TEMP_DIR_H_
#define VORN_TESTS_SUPPORT_TEMP_DIR_H_

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>

// A fresh directory, removed with everything in it when the object goes.
class temp_dir {
 public:
  temp_dir() {
    std::string templ =
        (std::filesystem::temp_directory_path() / "vorn-test-XXXXXX").string();
    if (!mkdtemp(templ.data()))
      throw std::system_error(errno, std::generic_category(), templ);
    path_ = templ;
  }
  ~temp_dir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  temp_dir(const temp_dir&) = delete;
  temp_dir& operator=(const temp_dir&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // The path of NAME in the directory.
  std::string file(const std::string& name) const {
    return (path_ / name).string();
  }

  // Writes BODY to NAME, making the folders it needs; returns its path.
  std::string write(const std::string& name, const std::string& body) const {
    std::filesystem::path p = path_ / name;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << body;
    if (!out.flush()) throw std::runtime_error("cannot write " + p.string());
    return p.string();
  }

  // The content of the file at PATH (empty when it cannot be read).
  static std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }

 private:
  std::filesystem::path path_;
};

// Makes DIR the working directory for the life of the object.
class scoped_chdir {
 public:
  explicit scoped_chdir(const std::filesystem::path& dir)
      : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~scoped_chdir() {
    std::error_code ec;
    std::filesystem::current_path(old_, ec);
  }
  scoped_chdir(const scoped_chdir&) = delete;
  scoped_chdir& operator=(const scoped_chdir&) = delete;

 private:
  std::filesystem::path old_;
};

#endif  // VORN_TESTS_SUPPORT_TEMP_DIR_H_
