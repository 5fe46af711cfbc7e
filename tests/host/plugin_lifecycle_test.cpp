// Loading, registering, refusing, unloading, and the window refreshes.
#include <cstdio>
#include <filesystem>
#include <set>

#include <unistd.h>

#include "host_test_support.h"

namespace vorlane::test {
namespace {

const std::string kRefreshCommand =
    "if( `window -exists createRenderNodeWindow` )  "
    "{refreshCreateRenderNodeWindow(\"shader/surface\");}\n";

// The entry points' names as the host looks them up: plain on Windows, the
// C++ names of MStatus initializePlugin(MObject) on Linux, which carry the
// 2022 release's namespace of MObject.
#if defined(_WIN32)
const std::string kInitializeName = "initializePlugin";
const std::string kUninitializeName = "uninitializePlugin";
#elif MAYA_API_VERSION >= 20220000
const std::string kInitializeName =
    "_Z16initializePluginN8Autodesk4Maya16OpenMaya202200007MObjectE";
const std::string kUninitializeName =
    "_Z18uninitializePluginN8Autodesk4Maya16OpenMaya202200007MObjectE";
#else
const std::string kInitializeName = "_Z16initializePlugin7MObject";
const std::string kUninitializeName = "_Z18uninitializePlugin7MObject";
#endif

class PluginLifecycleTest : public HostTest {};

TEST_F(PluginLifecycleTest, LoadRegistersTheSurfaceShaderAndUnloadRemovesIt) {
    loadPlugin();
    EXPECT_EQ(type->typeId(), 0x28713u);
    EXPECT_EQ(type->classification(), "shader/surface");
    EXPECT_EQ(host.nodeTypesClassified("shader/surface"), std::vector<std::string>{"vorlane"});
    ASSERT_EQ(host.loadedPlugins().size(), 1u);

    std::string error;
    ASSERT_TRUE(host.unloadPlugin(VORLANE_PLUGIN_PATH, &error)) << error;
    EXPECT_EQ(host.findNodeType("vorlane"), nullptr);
    EXPECT_TRUE(host.loadedPlugins().empty());
    EXPECT_EQ(errors.str(), "");

    // Loading again after an unload works from a clean library.
    loadPlugin();
    EXPECT_EQ(type->attributeCount(), 54);
}

TEST_F(PluginLifecycleTest, FunctionSetCarriesVersionOnLoadAndDefaultsOnUnload) {
    loadPlugin();
    ASSERT_TRUE(host.unloadPlugin(VORLANE_PLUGIN_PATH));
    const auto sets = host.pluginFunctionSets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_FALSE(sets[0].vendor.empty());
    EXPECT_NE(sets[0].vendor, "Unknown");
    EXPECT_EQ(sets[0].version, "1.0");
    EXPECT_EQ(sets[0].requiredApiVersion, "Any");
    EXPECT_EQ(sets[1].vendor, "Unknown");
    EXPECT_EQ(sets[1].version, "Unknown");
    EXPECT_EQ(sets[1].requiredApiVersion, "Any");
}

TEST_F(PluginLifecycleTest, RefreshRunsOnlyWhileTheWindowIsOpen) {
    loadPlugin();
    ASSERT_EQ(host.commandLog().size(), 1u);
    EXPECT_EQ(host.commandLog()[0], kRefreshCommand);
    EXPECT_TRUE(host.refreshLog().empty());

    host.openWindow("createRenderNodeWindow");
    ASSERT_TRUE(host.unloadPlugin(VORLANE_PLUGIN_PATH));
    loadPlugin();
    ASSERT_EQ(host.commandLog().size(), 3u);
    EXPECT_EQ(host.commandLog()[1], kRefreshCommand);
    EXPECT_EQ(host.commandLog()[2], kRefreshCommand);
    ASSERT_EQ(host.refreshLog().size(), 2u);
    for (const auto& entry : host.refreshLog()) {
        EXPECT_EQ(entry.procedure, "refreshCreateRenderNodeWindow");
        EXPECT_EQ(entry.argument, "shader/surface");
    }

    host.closeWindow("createRenderNodeWindow");
    ASSERT_TRUE(host.unloadPlugin(VORLANE_PLUGIN_PATH));
    EXPECT_EQ(host.commandLog().size(), 4u);
    EXPECT_EQ(host.refreshLog().size(), 2u);
    EXPECT_EQ(errors.str(), "");

    // Commands of another form fail, so a wrong refresh command shows above.
    EXPECT_EQ(host.executeCommand("polyCube -n box;"), host::kFailure);
    EXPECT_EQ(host.executeCommand("unknownProcedure(\"x\");"), host::kFailure);
}

TEST_F(PluginLifecycleTest, SecondRegistrationIsRefusedByTheHostAndLoadStillSucceeds) {
    loadPlugin();
    // A copy of the library is a second plug-in registering the same type.
    const std::filesystem::path copy = std::filesystem::temp_directory_path() /
                                       ("vorlane_copy_" + std::to_string(::getpid()) + ".so");
    std::filesystem::copy_file(VORLANE_PLUGIN_PATH, copy,
                               std::filesystem::copy_options::overwrite_existing);
    std::string error;
    ASSERT_TRUE(host.loadPlugin(copy.string(), &error)) << error;
    EXPECT_EQ(host.loadedPlugins().size(), 2u);
    EXPECT_EQ(errors.str(),
              "// Error: registerNode \"vorlane\": the node type name is already in use.\n");

    // The copy cannot take the first plug-in's type away on unload.
    errors.str("");
    ASSERT_TRUE(host.unloadPlugin(copy.string(), &error)) << error;
    EXPECT_NE(host.findNodeType("vorlane"), nullptr);
    EXPECT_NE(errors.str().find("belongs to another plug-in"), std::string::npos);
    std::filesystem::remove(copy);
}

TEST_F(PluginLifecycleTest, LibrariesThatAreNotUsablePlugInsAreRefusedClearly) {
    std::string error;
    EXPECT_FALSE(host.loadPlugin("/nonexistent/vorlane.so", &error));
    EXPECT_NE(error.find("no such file"), std::string::npos) << error;

    EXPECT_FALSE(host.loadPlugin(FIXTURE_NO_VERSION, &error));
    EXPECT_NE(error.find("no MApiVersion"), std::string::npos) << error;

    EXPECT_FALSE(host.loadPlugin(FIXTURE_WRONG_VERSION, &error));
    EXPECT_NE(error.find("API version \"700\""), std::string::npos) << error;

    EXPECT_FALSE(host.loadPlugin(FIXTURE_NO_ENTRY, &error));
    EXPECT_NE(error.find(kInitializeName), std::string::npos) << error;

    // A file that is no library at all.
    EXPECT_FALSE(host.loadPlugin(VORLANE_PLUGIN_SOURCE, &error));
    EXPECT_NE(error.find("cannot load plug-in"), std::string::npos) << error;
    EXPECT_TRUE(host.loadedPlugins().empty());

    EXPECT_FALSE(host.unloadPlugin(VORLANE_PLUGIN_PATH, &error));
    EXPECT_NE(error.find("not loaded"), std::string::npos);
}

// Entry points exported under their plain names only are what the Windows
// host finds; the Linux host finds the C++ names and refuses such a plug-in.
TEST_F(PluginLifecycleTest, PlainEntryPointNamesLoadOnWindowsOnly) {
    std::string error;
#if defined(_WIN32)
    EXPECT_TRUE(host.loadPlugin(FIXTURE_PLAIN_NAMES, &error)) << error;
#else
    EXPECT_FALSE(host.loadPlugin(FIXTURE_PLAIN_NAMES, &error));
    EXPECT_NE(error.find("does not export both entry points, " + kInitializeName + " and " +
                         kUninitializeName),
              std::string::npos)
        << error;
    EXPECT_NE(error.find("plain name"), std::string::npos) << error;
    EXPECT_TRUE(host.loadedPlugins().empty());
#endif
}

TEST_F(PluginLifecycleTest, LoadingTwiceAndUnloadingInUseAreRefused) {
    loadPlugin();
    std::string error;
    EXPECT_FALSE(host.loadPlugin(VORLANE_PLUGIN_PATH, &error));
    EXPECT_NE(error.find("already loaded"), std::string::npos);

    host::Node* node = makeNode();
    EXPECT_FALSE(host.unloadPlugin(VORLANE_PLUGIN_PATH, &error));
    EXPECT_NE(error.find("nodes of its types exist"), std::string::npos);
    EXPECT_TRUE(host.destroyNode(node));
    EXPECT_TRUE(host.unloadPlugin(VORLANE_PLUGIN_PATH, &error)) << error;
}

TEST_F(PluginLifecycleTest, NodesAreMadeMPSafeAndNamedAfterTheirType) {
    loadPlugin();
    host::Node* first = makeNode();
    host::Node* second = makeNode();
    EXPECT_EQ(first->name(), "vorlane1");
    EXPECT_EQ(second->name(), "vorlane2");
    EXPECT_TRUE(first->isMPSafe());
    EXPECT_EQ(host.findNode("vorlane2"), second);
    std::string error;
    EXPECT_EQ(host.createNode("vorlane", "vorlane1", &error), nullptr);
    EXPECT_EQ(host.createNode("lambert", {}, &error), nullptr);
    EXPECT_NE(error.find("unknown node type"), std::string::npos);
    EXPECT_TRUE(host.destroyNode(first));
    EXPECT_FALSE(host.destroyNode(first));
    EXPECT_EQ(host.nodeCount(), 1u);
    EXPECT_EQ(host.findNode("vorlane1"), nullptr);
}

TEST_F(PluginLifecycleTest, GeneratedNamesStayUniqueInLargeScenes) {
    loadPlugin();
    std::string error;
    // A name taken by hand is skipped by the generated ones.
    host::Node* named = host.createNode("vorlane", "vorlane3", &error);
    ASSERT_NE(named, nullptr) << error;
    std::vector<host::Node*> nodes;
    for (int i = 0; i < 5000; ++i) {
        nodes.push_back(makeNode());
    }
    EXPECT_EQ(nodes[2]->name(), "vorlane4");
    EXPECT_EQ(host.nodeCount(), 5001u);
    for (host::Node* node : nodes) {
        ASSERT_EQ(host.findNode(node->name()), node);
    }
    EXPECT_EQ(host.findNode("vorlane3"), named);
    ASSERT_TRUE(host.destroyNode(nodes[10]));
    EXPECT_EQ(host.findNode(nodes[11]->name()), nodes[11]);
    const host::Node* again = makeNode();
    EXPECT_EQ(host.findNode(again->name()), again);
    EXPECT_EQ(host.nodeCount(), 5001u);
}

TEST_F(PluginLifecycleTest, OnlyOneHostRunsAtATime) {
    host::Host second;
    EXPECT_FALSE(second.valid());
    std::string error;
    EXPECT_FALSE(second.loadPlugin(VORLANE_PLUGIN_PATH, &error));
    EXPECT_NE(error.find("another host"), std::string::npos);
    EXPECT_TRUE(host.valid());
}

TEST(PluginExports, LibraryExportsExactlyTheEntrySymbolsOfItsRelease) {
    const std::string command = std::string("nm -D --defined-only ") + VORLANE_PLUGIN_PATH;
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> symbols;
    char line[512];
    while (std::fgets(line, sizeof(line), pipe) != nullptr) {
        std::istringstream fields(line);
        std::string address, kind, name;
        fields >> address >> kind >> name;
        // AddressSanitizer gives each exported global an indicator symbol of
        // its own; no build that ships is instrumented.
        if (!name.empty() && name.rfind("__odr_asan", 0) != 0) {
            symbols.insert(name);
        }
    }
    ASSERT_EQ(pclose(pipe), 0);
    std::set<std::string> expected{"MApiVersion", kInitializeName, kUninitializeName};
#if MAYA_API_VERSION >= 20220000
    expected.insert("ADSK_PLUGIN_SIGNATURE");
#endif
    EXPECT_EQ(symbols, expected);
}

}  // namespace
}  // namespace vorlane::test
