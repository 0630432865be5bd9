#include "gui_test.h"

#include <QTest>

namespace kt::test {

void InstallQtFailHook() {
    ScriptedDialogs::failHook = [](const std::string& msg) { QTest::qFail(msg.c_str(), __FILE__, __LINE__); };
}

} // namespace kt::test
