#include "model/parse_log.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tess {
namespace {

TEST(ParseLog, ReportOfNoErrorsIsOneLine) {
    ParseLog log;
    std::ostringstream out;
    log.printReport(out);
    EXPECT_EQ(out.str(), "0 errors\n");
}

TEST(ParseLog, ReportListsEachErrorWithItsLineInOrder) {
    ParseLog log;
    log.addError("BlendTime 1.5,", 3, "Unexpected in a Model chunk");
    log.addError("", 12, "Unknown chunk");
    std::ostringstream out;
    log.printReport(out);
    EXPECT_EQ(out.str(),
              "2 errors\n"
              "  Line 3: BlendTime 1.5,\n"
              "    Unexpected in a Model chunk\n"
              "  Line 12: \n"
              "    Unknown chunk\n");
}

TEST(ParseLog, StopFlagTakesTheValueOfTheLastErrorAndClearEmptiesEverything) {
    ParseLog log;
    log.addError("a", 1, "first");
    EXPECT_EQ(log.stop, 1);
    log.addError("b", 2, "second", 0);
    EXPECT_EQ(log.stop, 0);
    ASSERT_EQ(log.errorCount(), 2u);
    EXPECT_EQ(log.lineTexts[1], "b");
    EXPECT_EQ(log.lineNumbers[1], 2u);
    log.clear();
    EXPECT_EQ(log.errorCount(), 0u);
    EXPECT_TRUE(log.lineTexts.empty());
    EXPECT_TRUE(log.lineNumbers.empty());
    EXPECT_EQ(log.stop, 0);
    log.addError("c", 4, "third", 1);
    log.clear();
    EXPECT_EQ(log.stop, 0);
}

}  // namespace
}  // namespace tess
