// Test programs run with a private HOME and config folder, so nothing a test
// does reaches the user's own settings.
#include "support/test_support.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    auto home = testing_support::usePrivateHome();
    ::testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
    return rc;
}
