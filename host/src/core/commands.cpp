#include <cctype>

#include "host_state.h"

namespace vorlane::host::core {
namespace {

// The one procedure this host knows, and the window it refreshes.
constexpr const char* kRefreshProcedure = "refreshCreateRenderNodeWindow";
constexpr const char* kRefreshedWindow = "createRenderNodeWindow";

// Reads a command left to right, skipping blanks between tokens.
class Cursor {
  public:
    explicit Cursor(const std::string& text) : text_(text) {}

    bool literal(const char* expected) {
        skipBlanks();
        std::size_t i = at_;
        for (const char* c = expected; *c != '\0'; ++c, ++i) {
            if (i >= text_.size() || text_[i] != *c) {
                return false;
            }
        }
        at_ = i;
        return true;
    }

    bool word(std::string& out) {
        skipBlanks();
        const std::size_t start = at_;
        while (at_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[at_])) != 0 || text_[at_] == '_')) {
            ++at_;
        }
        out = text_.substr(start, at_ - start);
        return !out.empty();
    }

    bool quoted(std::string& out) {
        if (!literal("\"")) {
            return false;
        }
        const std::size_t end = text_.find('"', at_);
        if (end == std::string::npos) {
            return false;
        }
        out = text_.substr(at_, end - at_);
        at_ = end + 1;
        return true;
    }

    bool atEnd() {
        skipBlanks();
        return at_ == text_.size();
    }

  private:
    void skipBlanks() {
        while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])) != 0) {
            ++at_;
        }
    }

    const std::string& text_;
    std::size_t at_ = 0;
};

// PROCEDURE("ARGUMENT") with an optional semicolon.
bool procedureCall(Cursor& in, std::string& procedure, std::string& argument) {
    if (!in.word(procedure) || !in.literal("(") || !in.quoted(argument) || !in.literal(")")) {
        return false;
    }
    in.literal(";");
    return true;
}

}  // namespace

MStatus HostState::executeCommand(const std::string& command) {
    commandLog_.push_back(command);
    // if( `window -exists NAME` ) {PROCEDURE("ARGUMENT");}  or  PROCEDURE("ARGUMENT");
    Cursor in(command);
    std::string window = kRefreshedWindow;
    std::string procedure;
    std::string argument;
    bool parsed = false;
    bool conditional = false;
    if (in.literal("if")) {
        conditional = true;
        parsed = in.literal("(") && in.literal("`") && in.literal("window") &&
                 in.literal("-exists") && in.word(window) && in.literal("`") && in.literal(")") &&
                 in.literal("{") && procedureCall(in, procedure, argument) && in.literal("}") &&
                 in.atEnd();
    } else {
        parsed = procedureCall(in, procedure, argument) && in.atEnd();
    }
    if (!parsed) {
        errors() << "// Error: Syntax error: " << command << std::endl;
        return MStatus::kFailure;
    }
    if (procedure != kRefreshProcedure) {
        errors() << "// Error: Cannot find procedure \"" << procedure << "\"." << std::endl;
        return MStatus::kFailure;
    }
    // Unconditionally, the procedure refreshes its window only when it is open.
    const bool run = windows_.count(conditional ? window : kRefreshedWindow) != 0;
    if (run) {
        refreshLog_.push_back(RefreshEntry{procedure, argument});
    }
    return MStatus::kSuccess;
}

}  // namespace vorlane::host::core
