#pragma once
// A command's report worded as the window's message box.
#include <string>

#include "command_report.h"

namespace stavrel {

enum class MessageIcon { Critical, Warning, Information };

std::wstring MessageText(const CommandReport& report);
const wchar_t* MessageTitle(Severity severity);
MessageIcon MessageIconOf(Severity severity);

}  // namespace stavrel
