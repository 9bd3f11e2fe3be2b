#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <iostream>

#include "tests/reliability/CrashAction.h"
#include "tests/reliability/CrashHarness.h"

namespace {
// The counts over every action run in this process, told once at the end.
class CrashTally : public ::testing::Environment {
  public:
    static void Add(int killPoints, int restarts, int failures) {
        ++actions_;
        killPoints_ += killPoints;
        restarts_ += restarts;
        failures_ += failures;
    }
    void TearDown() override {
        if (actions_ == 0) return;
        std::cout << "crash harness: " << actions_ << " actions, " << killPoints_
                  << " kill points, " << restarts_ << " restarts, " << failures_ << " failures"
                  << std::endl;
    }

  private:
    static inline int actions_ = 0;
    static inline int killPoints_ = 0;
    static inline int restarts_ = 0;
    static inline int failures_ = 0;
};
::testing::Environment* const kTally = ::testing::AddGlobalTestEnvironment(new CrashTally);

class CrashTest : public ::testing::TestWithParam<CrashAction> {};
}  // namespace

TEST_P(CrashTest, EveryKillPointLeavesTheShopAsBeforeOrAfterWithItsRulesKept) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const CrashHarness::Outcome outcome = CrashHarness(GetParam(), dir.path()).Run();
    CrashTally::Add(outcome.killPoints, outcome.restarts,
                    static_cast<int>(outcome.failures.size()));
    RecordProperty("kill_points", outcome.killPoints);
    RecordProperty("restarts", outcome.restarts);
    RecordProperty("failures", static_cast<int>(outcome.failures.size()));
    std::cout << "crash harness: " << GetParam().name << ": " << outcome.killPoints
              << " kill points, " << outcome.restarts << " restarts, " << outcome.failures.size()
              << " failures" << std::endl;
    EXPECT_GE(outcome.killPoints, 2) << "at least one writing statement and the end";
    if (GetParam().openAfter != kNoRestart) {
        EXPECT_EQ(outcome.restarts, outcome.killPoints) << "a start after every kill point";
    }
    EXPECT_TRUE(outcome.failures.isEmpty()) << outcome.failures.join("\n").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Actions, CrashTest, ::testing::ValuesIn(CrashActions()),
                         [](const ::testing::TestParamInfo<CrashAction>& info) {
                             return info.param.name;
                         });
