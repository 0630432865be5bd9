#include "scripted_dialogs.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    kt::test::ScriptedDialogs::failHook = [](const std::string& msg) { ADD_FAILURE() << msg; };
    return RUN_ALL_TESTS();
}
