// Test runner of the core library: no display is needed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <wx/init.h>

#include "tests/fixture.h"

const char* const kSingleCellFile =
    "##korvith01\n##vertex\n8\n"
    "0.824122,-0.334356,-0.0648953\n0.306818,-0.934102,-0.0775646\n-0.46057,-0.912631,0.117366\n"
    "-0.900163,-0.281175,0.30692\n-0.747572,0.460033,0.0704142\n-0.0293405,0.795131,0.0466634\n"
    "0.64806,0.433557,-0.149862\n-0.0448119,-0.110506,0.0602742\n"
    "##edge\n14\n0,1,0.809017\n1,2,0.809017\n2,3,0.809017\n3,4,0.809017\n4,5,0.809017\n5,6,0.809017\n"
    "0,6,0.809017\n0,7,0.891007\n1,7,0.891007\n2,7,0.891007\n3,7,0.891007\n4,7,0.891007\n5,7,0.891007\n"
    "6,7,0.891007\n##face\n7\n0,1,7\n1,2,7\n2,3,7\n3,4,7\n4,5,7\n5,6,7\n6,0,7\n##subdiv_level\n1\n##end\n";

std::string sourceDir()
{
    return KORVITH_SOURCE_DIR;
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    wxInitializer initializer;
    if (!initializer.IsOk())
        return 1;
    // Samples are read relative to the working directory, as the program does.
    if (chdir(KORVITH_SOURCE_DIR) != 0)
        return 1;
    return RUN_ALL_TESTS();
}
