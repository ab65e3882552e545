#include "report.h"

#include "file.h"

namespace gz {

void Reporter::Error(const std::string& text) {
  fs::WriteErrorText(text);
  status_ = 1;
}

void Reporter::Warning(const std::string& text) {
  if (!quiet_) fs::WriteErrorText(text);
  if (status_ == 0) status_ = 2;
}

void Reporter::LoudWarning(const std::string& text) {
  fs::WriteErrorText(text);
  if (status_ == 0) status_ = 2;
}

void Reporter::Say(const std::string& text) { fs::WriteErrorText(text); }

void Reporter::FileFault(const std::string& file, const std::string& reason) {
  std::string text = "\n";
  text += FileLine(file, ": " + reason);
  Error(text);
}

std::string Reporter::FileLine(const std::string& file, const std::string& text) const {
  return program_ + ": " + file + text + "\n";
}

}  // namespace gz
