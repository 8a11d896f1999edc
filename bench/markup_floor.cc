// The floor for the benchmark: the least any program can do that reads
// every article with Expat and writes about as much markup as it read.
//
//   markup_floor [-o OUT] FILE...
//   markup_floor -s SUFFIX FILE...
//
// One parser is reset for each file.  Each file is read with read(2)
// straight into Expat's own buffer (one read for the whole file and one
// that finds its end) and parsed there, with no other copy.  The handlers
// rebuild the document into one growing buffer: start tags from the
// element name and the attributes (values escaped), end tags from the
// name (an empty element as "<name ... />"), entity references that the
// document does not declare as written, and everything else (text,
// character and predefined references, comments, CDATA sections, the XML
// declaration) as written, through the default handler.
//
// With -o, the buffer of all files is written to OUT with one write at the
// end (nothing is written when no -o is given); with -s, each file's
// output is written to the file's name with SUFFIX appended as soon as
// that file is parsed, the way a program run once per page writes it.
// Prints the number of bytes written.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <expat.h>

namespace {

// The output: one buffer grown with realloc, which for a large block moves
// the pages instead of copying them, so that the buffer is touched once.
struct Buffer {
  char* data = nullptr;
  size_t size = 0;
  size_t cap = 0;

  void append(const char* s, size_t n) {
    if (cap - size < n) {
      size_t want = cap ? cap : 65536;
      while (want - size < n) want *= 2;
      char* p = static_cast<char*>(std::realloc(data, want));
      if (!p) {
        std::fprintf(stderr, "markup_floor: %s\n", std::strerror(ENOMEM));
        std::exit(1);
      }
      data = p;
      cap = want;
    }
    std::memcpy(data + size, s, n);
    size += n;
  }
  void append(const char* s) { append(s, std::strlen(s)); }
  void append(char c) { append(&c, 1); }
};

Buffer out;

void append_escaped(const char* s) {
  for (;;) {
    size_t run = std::strcspn(s, "&\"<");
    out.append(s, run);
    s += run;
    switch (*s) {
      case '\0': return;
      case '&': out.append("&amp;", 5); break;
      case '"': out.append("&quot;", 6); break;
      default: out.append("&lt;", 4); break;
    }
    ++s;
  }
}

void XMLCALL on_start(void*, const XML_Char* name, const XML_Char** atts) {
  out.append('<');
  out.append(name);
  for (; *atts; atts += 2) {
    out.append(' ');
    out.append(atts[0]);
    out.append("=\"", 2);
    append_escaped(atts[1]);
    out.append('"');
  }
  out.append('>');
}

void XMLCALL on_end(void* data, const XML_Char* name) {
  // The end of an empty-element tag is reported with no bytes of its own;
  // nothing has been appended since its start tag.
  if (XML_GetCurrentByteCount(static_cast<XML_Parser>(data)) == 0) {
    out.data[out.size - 1] = ' ';
    out.append("/>", 2);
    return;
  }
  out.append("</", 2);
  out.append(name);
  out.append('>');
}

void XMLCALL on_default(void*, const XML_Char* s, int len) {
  out.append(s, static_cast<size_t>(len));
}

void XMLCALL on_skipped(void*, const XML_Char* name, int) {
  out.append('&');
  out.append(name);
  out.append(';');
}

bool write_all(const char* name, int fd, const char* p, size_t n) {
  while (n > 0) {
    ssize_t w = write(fd, p, n);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      std::perror(name);
      return false;
    }
    p += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

bool write_file(const std::string& name) {
  int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    std::perror(name.c_str());
    return false;
  }
  bool ok = write_all(name.c_str(), fd, out.data, out.size);
  if (close(fd) != 0 && ok) {
    std::perror(name.c_str());
    ok = false;
  }
  return ok;
}

// Parses one file into the buffer; false after printing a message.
bool parse_file(XML_Parser p, const char* path) {
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  struct stat st;
  if (fd < 0 || fstat(fd, &st) < 0) {
    std::perror(path);
    if (fd >= 0) close(fd);
    return false;
  }
  XML_ParserReset(p, nullptr);
  XML_SetUserData(p, p);
  XML_UseForeignDTD(p, XML_TRUE);
  XML_SetElementHandler(p, on_start, on_end);
  XML_SetDefaultHandlerExpand(p, on_default);
  XML_SetSkippedEntityHandler(p, on_skipped);
  // A file that grew since fstat is read on in further slices; one that
  // shrank ends early.  Either way read() returning 0 ends the document.
  size_t want = static_cast<size_t>(st.st_size) + 1;
  for (;;) {
    void* buf = XML_GetBuffer(p, static_cast<int>(want));
    if (!buf) {
      std::fprintf(stderr, "%s: %s\n", path, XML_ErrorString(XML_GetErrorCode(p)));
      close(fd);
      return false;
    }
    ssize_t got = read(fd, buf, want);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      std::perror(path);
      close(fd);
      return false;
    }
    if (XML_ParseBuffer(p, static_cast<int>(got), got == 0) != XML_STATUS_OK) {
      std::fprintf(stderr, "%s:%lu:%lu: %s\n", path, XML_GetCurrentLineNumber(p),
                   XML_GetCurrentColumnNumber(p), XML_ErrorString(XML_GetErrorCode(p)));
      close(fd);
      return false;
    }
    if (got == 0) break;
    want = 65536;
  }
  close(fd);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const char* output = nullptr;
  const char* suffix = nullptr;
  int opt;
  while ((opt = getopt(argc, argv, "o:s:")) != -1) {
    switch (opt) {
      case 'o': output = optarg; break;
      case 's': suffix = optarg; break;
      default:
        std::fprintf(stderr, "usage: markup_floor [-o OUT | -s SUFFIX] FILE...\n");
        return 2;
    }
  }
  if (optind == argc || (output && suffix)) {
    std::fprintf(stderr, "usage: markup_floor [-o OUT | -s SUFFIX] FILE...\n");
    return 2;
  }
  XML_Parser p = XML_ParserCreate(nullptr);
  if (!p) {
    std::fprintf(stderr, "markup_floor: %s\n", std::strerror(ENOMEM));
    return 1;
  }
  unsigned long long written = 0;
  for (int i = optind; i < argc; ++i) {
    if (!parse_file(p, argv[i])) return 1;
    if (suffix) {
      if (!write_file(std::string(argv[i]) + suffix)) return 1;
      written += out.size;
      out.size = 0;
    }
  }
  XML_ParserFree(p);
  if (output) {
    if (!write_file(output)) return 1;
    written = out.size;
  }
  std::printf("%llu\n", written);
  return 0;
}
