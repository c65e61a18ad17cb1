#include <gtest/gtest.h>

#include <QtWidgets/QApplication>

// The widget tests need one QApplication for the whole run. Listing the tests needs none,
// so test discovery works without a display too.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
