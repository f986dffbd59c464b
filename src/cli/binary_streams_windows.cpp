// Standard input and output in binary mode before main() runs: a euro.cfg
// written to standard output (-o -) must keep its CR LF, where the text mode
// Windows starts them in would add a CR before every LF.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

const bool binaryStreams = [] {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    return true;
}();

}  // namespace
