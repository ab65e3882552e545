#pragma once
// What gzip tells the user on standard error, and the exit status that
// follows from it: 0 success, 1 error, 2 warning (an error outranks it).
#include <string>

namespace gz {

class Reporter {
 public:
  Reporter(std::string program, bool quiet) : program_(std::move(program)), quiet_(quiet) {}

  // "gzip" or whatever the program file is called, without ".exe".
  const std::string& Program() const { return program_; }

  // Said always; the run ends with status 1.
  void Error(const std::string& text);
  // Said unless -q; the status becomes 2 either way unless it is 1.
  void Warning(const std::string& text);
  // Said always, and the status becomes 2 unless it is 1 ("not overwritten").
  void LoudWarning(const std::string& text);
  // Said as it is: verbose output, notes that leave the status alone.
  void Say(const std::string& text);

  // "gzip: <file><text>" and a line end; `text` starts with ": " before a
  // reason, or with a blank ("x is a directory -- ignored").
  std::string FileLine(const std::string& file, const std::string& text) const;
  // "gzip: <file>: <reason>" as an error.
  void FileError(const std::string& file, const std::string& reason) { Error(FileLine(file, ": " + reason)); }
  // The same after an empty line, as GNU gzip sets off what goes wrong in
  // the middle of reading or writing.
  void FileFault(const std::string& file, const std::string& reason);
  // "gzip: <file>: <reason>" as a warning.
  void FileWarning(const std::string& file, const std::string& reason) { Warning(FileLine(file, ": " + reason)); }

  int ExitStatus() const { return status_; }

 private:
  std::string program_;
  bool quiet_;
  int status_ = 0;
};

// Thrown to end the run at once, as GNU gzip exits on a read error or a
// corrupt stream; the message has been said already.
struct EndRun {
  int status;
};

}  // namespace gz
