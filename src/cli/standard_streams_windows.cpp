// The standard streams, set before main() runs. Files and pipes get the
// bytes in binary mode: a euro.cfg written to standard output (-o -) must
// keep its CR LF, where the text mode Windows starts them in would add a CR
// before every LF. A console gets text through its own call.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>

#include "cli/console_output.h"

namespace {

void toConsole(std::ostream& stream, DWORD standardHandle) {
    // Never freed: the stream flushes through it as the program ends.
    if (auto buffer = velquor::cli::consoleBuffer(::GetStdHandle(standardHandle)))
        stream.rdbuf(buffer.release());
}

const bool standardStreams = [] {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    toConsole(std::cout, STD_OUTPUT_HANDLE);
    toConsole(std::cerr, STD_ERROR_HANDLE);
    return true;
}();

}  // namespace
