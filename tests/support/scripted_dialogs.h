#pragma once

#include "model/dialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kt::test {

enum class Box { Error, Warning, Information, Notice, Question, ThreeWay };

const char* BoxName(Box b);

// A UserDialogs for tests: every box must be announced with expect(); it is checked against the
// next expectation in order (kind and a part of its text) and answered from it. A box nobody
// expected, a wrong kind or text, and expectations left over at the end fail the test through
// `failHook` (set by the test runner: gtest or Qt Test).
class ScriptedDialogs : public UserDialogs {
public:
    struct Shown {
        Box box;
        std::string text; // Windows-1252 as the core produced it
        std::string utf8() const;
    };

    explicit ScriptedDialogs(bool showAllMsg = true) : showAllMsg(showAllMsg) {}
    ~ScriptedDialogs() override;

    // `part` is UTF-8 and must occur in the box's text; an empty part matches any text.
    ScriptedDialogs& expect(Box box, const std::string& part = {}, Answer answer = Answer::Ok);
    ScriptedDialogs& expectQuestion(const std::string& part, Answer answer) {
        return expect(Box::Question, part, answer);
    }
    // Fails the test for expectations not yet met, then forgets them.
    void verify();
    bool pending() const { return !expected_.empty(); }

    void error(const std::string& text) override;
    void warning(const std::string& text) override;
    void information(const std::string& text) override;
    void notice(const std::string& text) override;
    Answer question(const std::string& text, Buttons buttons, BoxKind kind) override;
    Answer threeWay(const ThreeWayQuestion& q) override;

    std::vector<Shown> shown;      // every box shown, in order
    std::vector<std::string> quiet; // informations left out because ShowAllMsg is off
    bool showAllMsg;
    std::vector<Buttons> questionButtons; // the button set of every question, in order

    static std::function<void(const std::string&)> failHook;

private:
    struct Expected {
        Box box;
        std::string part;
        Answer answer;
    };
    Answer take(Box box, const std::string& text);
    std::deque<Expected> expected_;
};

} // namespace kt::test
