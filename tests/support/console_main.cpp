// Test entry for suites that need no display: only the base library, as gloamer-cli has it.
#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/init.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    wxInitializer initializer(argc, argv);
    if (!initializer.IsOk())
        return 2;
    wxInitAllImageHandlers();
    return RUN_ALL_TESTS();
}
