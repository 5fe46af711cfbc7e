#include <regex>

#include "host_state.h"

namespace vorlane::host::core {
namespace {

// The one procedure this host knows, and the window it refreshes.
constexpr const char* kRefreshProcedure = "refreshCreateRenderNodeWindow";
constexpr const char* kRefreshedWindow = "createRenderNodeWindow";

}  // namespace

MStatus HostState::executeCommand(const std::string& command) {
    commandLog_.push_back(command);
    // if( `window -exists NAME` ) {PROCEDURE("ARGUMENT");}  or  PROCEDURE("ARGUMENT");
    static const std::regex conditional(
        R"re(^\s*if\s*\(\s*`\s*window\s+-exists\s+(\w+)\s*`\s*\)\s*\{\s*(\w+)\s*\(\s*"([^"]*)"\s*\)\s*;?\s*\}\s*$)re");
    static const std::regex call(R"re(^\s*(\w+)\s*\(\s*"([^"]*)"\s*\)\s*;\s*$)re");
    std::smatch match;
    std::string procedure;
    std::string argument;
    bool run = true;
    if (std::regex_match(command, match, conditional)) {
        run = windows_.count(match[1].str()) != 0;
        procedure = match[2].str();
        argument = match[3].str();
    } else if (std::regex_match(command, match, call)) {
        procedure = match[1].str();
        argument = match[2].str();
        run = windows_.count(kRefreshedWindow) != 0;
    } else {
        errors() << "// Error: Syntax error: " << command << std::endl;
        return MStatus::kFailure;
    }
    if (procedure != kRefreshProcedure) {
        errors() << "// Error: Cannot find procedure \"" << procedure << "\"." << std::endl;
        return MStatus::kFailure;
    }
    if (run) {
        refreshLog_.push_back(RefreshEntry{procedure, argument});
    }
    return MStatus::kSuccess;
}

}  // namespace vorlane::host::core
