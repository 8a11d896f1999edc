// Where the bytes of an output go.  A regular file is written to a
// temporary file in its own folder, which replaces it only when the whole
// output has been written and closed; until then, and after any failure,
// the previous file stays exactly as it was.  Standard output, devices,
// FIFOs and sockets are written directly, and so is an existing file in a
// folder that vorn may not write.
#ifndef VORN_MARKUP_OUTPUT_FILE_H_
#define VORN_MARKUP_OUTPUT_FILE_H_

#include <string>

struct output_file {
  int fd = -1;
  bool owned = false;     // the descriptor is ours to close
  std::string temp;       // the temporary file; empty when written directly
  std::string final;      // the file it replaces: a symbolic link's target
};

// Makes SIGHUP, SIGINT and SIGTERM remove the temporary files of
// unfinished outputs before they end the program (a signal ignored when
// the program started stays ignored), and so does running out of memory.
void remove_temporary_files_on_signals();

// Opens NAME ("-": standard output) for writing into OUT.  False with
// errno set when it cannot be written.
bool open_output_file(const std::string& name, output_file& out);

// Closes OUT and puts it in place.  False with errno set when the close or
// the rename failed; the temporary file is then removed.
bool commit_output_file(output_file& out);

// Closes OUT and removes its temporary file: the previous file, if any,
// stays as it was.
void discard_output_file(output_file& out);

#endif  // VORN_MARKUP_OUTPUT_FILE_H_
