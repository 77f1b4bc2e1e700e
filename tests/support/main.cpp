// The tests need the simulated client's driver; say so plainly when it is
// not there instead of failing every test one by one.
#include <gtest/gtest.h>

#include "support/simulated_client.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!qltest::SimulatedClientRunning()) {
        fprintf(stderr, "the simulated client is not running: run 'qlsim install' and 'qlsim start' first\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
