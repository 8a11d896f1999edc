// The cost of writing a set of output files, for comparing programs that
// write many pages (vorn -L) against the floor plus this cost.
//
//   write_floor MANIFEST [DIR]
//
// MANIFEST has one line per file, "SIZE NAME": the byte count and the
// name, relative to DIR or the current folder (the name runs to the end
// of the line).  Each file is created or truncated and filled with SIZE bytes in
// as few write calls as the system takes, then closed: the least work
// any program must do to leave the same files behind.  The folders must
// exist.  Prints the number of files and bytes written.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: write_floor MANIFEST [DIR]\n");
    return 2;
  }
  FILE* manifest = std::fopen(argv[1], "r");
  if (!manifest) {
    std::perror(argv[1]);
    return 1;
  }
  // The whole manifest is read before the first file is written, so that
  // the timing covers the writes and not the reading of the list.
  std::vector<std::pair<size_t, std::string>> files;
  size_t largest = 0;
  char* line = nullptr;
  size_t cap = 0;
  ssize_t got;
  while ((got = getline(&line, &cap, manifest)) > 0) {
    if (line[got - 1] == '\n') line[--got] = '\0';
    char* name = nullptr;
    unsigned long long size = std::strtoull(line, &name, 10);
    if (name == line || *name != ' ' || name[1] == '\0') {
      std::fprintf(stderr, "%s: bad line: %s\n", argv[1], line);
      return 1;
    }
    files.emplace_back(static_cast<size_t>(size), name + 1);
    if (size > largest) largest = static_cast<size_t>(size);
  }
  std::free(line);
  std::fclose(manifest);
  if (argc == 3 && chdir(argv[2]) != 0) {
    std::perror(argv[2]);
    return 1;
  }

  // Page-like content: the bytes themselves do not matter to the file
  // system, but they should not be all zeros.
  std::string data(largest, 'x');
  for (size_t i = 79; i < data.size(); i += 80) data[i] = '\n';

  unsigned long long total = 0;
  for (const auto& [size, name] : files) {
    int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
      std::perror(name.c_str());
      return 1;
    }
    size_t done = 0;
    while (done < size) {
      ssize_t n = write(fd, data.data() + done, size - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        std::perror(name.c_str());
        return 1;
      }
      done += static_cast<size_t>(n);
    }
    if (close(fd) != 0) {
      std::perror(name.c_str());
      return 1;
    }
    total += size;
  }
  std::printf("%zu files, %llu bytes\n", files.size(), total);
  return 0;
}
