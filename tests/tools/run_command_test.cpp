// The tools' tests must end when a tool hangs: the child is killed at its
// deadline and the kill is reported.
#include <gtest/gtest.h>

#include "run_command.h"

TEST(RunCommand, KillsAndReportsAChildThatOutlivesItsDeadline) {
    const auto started = std::chrono::steady_clock::now();
    const auto result =
        vorlane::test::runCommand({"/bin/sleep", "60"}, {}, std::chrono::milliseconds(200));
    EXPECT_TRUE(result.timedOut);
    EXPECT_EQ(result.exitCode, -1);
    EXPECT_NE(result.err.find("/bin/sleep was killed"), std::string::npos) << result.err;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
}
