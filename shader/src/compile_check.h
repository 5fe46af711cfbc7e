// Checks that the compiler makes at build time, in a form every C++ dialect
// accepts: CompileCheck<false> has no definition, so naming its member fails
// the build at the check that does not hold.
#pragma once

namespace vorlane {
namespace shader {

template <bool holds>
struct CompileCheck;

template <>
struct CompileCheck<true> {
    enum { holds = 1 };
};

}  // namespace shader
}  // namespace vorlane
