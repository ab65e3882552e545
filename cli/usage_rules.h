#pragma once
// The rules of the command line that CLI11 cannot say, each broken one named
// in a line of its own: unknown and repeated options, missing operands, and
// texts that must be read whole (the factor, the slot).
#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "cli_request.h"

namespace stavrel::cli {

class UsageError {
 public:
  explicit UsageError(std::wstring message) : message_(std::move(message)) {}
  const std::wstring& Message() const noexcept { return message_; }

 private:
  std::wstring message_;
};

// After CLI11 has parsed `app`: sets the request's job and slot (from
// `slot`, as typed), or throws UsageError.
void CheckUsage(const CLI::App& app, const std::vector<CLI::App*>& commands,
                const std::string& slot, CliRequest& request);

}  // namespace stavrel::cli
