// Shared set-up of the host tests: a host whose error output is captured,
// with the vorlane plug-in loaded, and name lookups for its attributes.
#pragma once

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>

#include <vorlane_host/host_runtime.h>

namespace vorlane::test {

// Sends std::cerr (where the plug-in writes) into a buffer while alive.
class CerrCapture {
  public:
    explicit CerrCapture(std::ostream& into) : previous_(std::cerr.rdbuf(into.rdbuf())) {}
    ~CerrCapture() { std::cerr.rdbuf(previous_); }
    // The buffer std::cerr writes to when not captured.
    std::streambuf* original() const { return previous_; }
    CerrCapture(const CerrCapture&) = delete;
    CerrCapture& operator=(const CerrCapture&) = delete;

  private:
    std::streambuf* previous_;
};

// A host with its error output, and the plug-in's std::cerr, in `errors`.
class HostTest : public ::testing::Test {
  protected:
    HostTest() : capture_(errors) { host.setErrorStream(&errors); }

    void loadPlugin() {
        std::string error;
        ASSERT_TRUE(host.loadPlugin(VORLANE_PLUGIN_PATH, &error)) << error;
        type = host.findNodeType("vorlane");
        ASSERT_NE(type, nullptr);
    }

    host::AttributeId id(const char* name) const {
        const host::AttributeId found = type->findAttribute(name);
        EXPECT_TRUE(found.valid()) << name;
        return found;
    }

    host::Node* makeNode() {
        std::string error;
        host::Node* node = host.createNode("vorlane", {}, &error);
        EXPECT_NE(node, nullptr) << error;
        return node;
    }

    std::ostringstream errors;
    host::Host host;
    const host::NodeType* type = nullptr;

  protected:
    CerrCapture capture_;
};

}  // namespace vorlane::test
