#include <cstdlib>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery runs the programs at build time, where ctest's
    // environment does not apply; windows must never need a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
