#include "standard_output.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

namespace vorlane::tools {

void writeStandardOutputUnchanged() {
#if defined(_WIN32)
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

}  // namespace vorlane::tools
