#pragma once
// A core report as one line on stderr:
//   stavrel-cli: FILE: what failed: the reason. What became of the files.
// Warnings read "stavrel-cli: FILE: warning: ...". One line each, so a
// script can match them.
#include <map>
#include <string>

#include "command_report.h"

namespace stavrel::cli {

inline constexpr const wchar_t* kProgramName = L"stavrel-cli";

// `file_at_hand`, as typed, names the line when the report names no file;
// full paths the user typed otherwise (in `typed_names`) are shown as typed.
std::wstring ReportLine(const CommandReport& report, const std::wstring& file_at_hand,
                        const std::map<std::wstring, std::wstring>& typed_names);

}  // namespace stavrel::cli
