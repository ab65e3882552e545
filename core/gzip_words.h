#pragma once
// What gzip.exe says, made to fit a report that names the user's file.
#include <string>
#include <vector>

namespace stavrel {

// gzip's message without the names of the files it was given: a line
// "gzip: temp.gz: not in gzip format" becomes "not in gzip format", since
// "temp.gz" is Stavrel's own copy and the report names the user's file.
// `names` are full paths; gzip may have been given a name without its
// folder, and natively spells folders with "/". Empty lines go; other lines
// stay as they are.
std::wstring WithoutGivenNames(const std::wstring& said, const std::vector<std::wstring>& names);

}  // namespace stavrel
