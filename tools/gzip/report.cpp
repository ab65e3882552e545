#include "report.h"

#include "file.h"

namespace gz {

void Reporter::error(const std::string& text) {
  fs::write_error_text(text);
  status_ = 1;
}

void Reporter::warning(const std::string& text) {
  if (!quiet_) fs::write_error_text(text);
  if (status_ == 0) status_ = 2;
}

void Reporter::loud_warning(const std::string& text) {
  fs::write_error_text(text);
  if (status_ == 0) status_ = 2;
}

void Reporter::say(const std::string& text) { fs::write_error_text(text); }

void Reporter::FileFault(const std::string& file, const std::string& reason) {
  std::string text = "\n";
  text += FileLine(file, ": " + reason);
  error(text);
}

std::string Reporter::FileLine(const std::string& file, const std::string& text) const {
  return program_ + ": " + file + text + "\n";
}

}  // namespace gz
