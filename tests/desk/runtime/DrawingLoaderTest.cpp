#include <gtest/gtest.h>

#include <string>

#include "desk/runtime/DrawingLoader.h"
#include "desk/runtime/ModuleLoader.h"

using namespace Desk;

TEST(DrawingLoader, AMissingLibraryIsAClearErrorEachTime)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            DrawingLoader::Load("/nonexistent/libnerolith_drawing.so");
            FAIL() << "expected an error on attempt " << attempt;
        } catch (const ModuleError& error) {
            EXPECT_NE(std::string(error.what()).find("/nonexistent/libnerolith_drawing.so"), std::string::npos);
        }
    }
}
