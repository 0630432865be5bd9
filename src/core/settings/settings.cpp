#include "settings/settings.h"

#include "text/helpers.h"

namespace kt {

std::string Settings::DefaultTempDir() {
    const std::string tmp = EnvValue("TMPDIR");
    return WithBackslash(HasContent(tmp) ? tmp : std::string("/tmp"));
}

} // namespace kt
