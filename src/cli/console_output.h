#pragma once

#include <memory>
#include <streambuf>

namespace velquor::cli {

/// Windows only. For a handle that is a console: a buffer that takes the
/// tool's UTF-8 text and hands it to the console's wide-character call, lines
/// ending in CR LF; a byte that starts no UTF-8 character is taken as the
/// game file's Windows-1252 (-o - writes the file's own bytes). nullptr for
/// anything else (a file, a pipe), which takes the bytes as they are.
std::unique_ptr<std::streambuf> consoleBuffer(void* handle);

}  // namespace velquor::cli
