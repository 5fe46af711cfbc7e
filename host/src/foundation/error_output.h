// The host's error output: standard error unless the host redirects it.
#pragma once

#include <maya/MTypes.h>

#include <iosfwd>

namespace vorlane::host::foundation {

FND_EXPORT std::ostream& errorOutput();
// nullptr restores standard error.
FND_EXPORT void setErrorOutput(std::ostream* stream);

}  // namespace vorlane::host::foundation
