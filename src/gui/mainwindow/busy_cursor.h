#pragma once

#include "model/dialogs.h"

namespace kt {

// The hourglass for the duration of long work. It is also a door for the boxes of that work:
// while one of them shows, the pointer is the normal one.
class BusyCursor : public UserDialogs {
public:
    explicit BusyCursor(UserDialogs& target);
    ~BusyCursor() override;
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    void error(const std::string& text) override;
    void warning(const std::string& text) override;
    void information(const std::string& text) override;
    void notice(const std::string& text) override;
    Answer question(const std::string& text, Buttons buttons, BoxKind kind) override;
    Answer threeWay(const ThreeWayQuestion& q) override;

private:
    UserDialogs& target_;
};

} // namespace kt
