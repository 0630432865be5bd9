#include "scripted_dialogs.h"

#include "text/cp1252.h"

#include <cstdio>
#include <cstdlib>

namespace kt::test {

std::function<void(const std::string&)> ScriptedDialogs::failHook = [](const std::string& msg) {
    std::fprintf(stderr, "ScriptedDialogs: %s\n", msg.c_str());
    std::abort();
};

const char* BoxName(Box b) {
    switch (b) {
    case Box::Error: return "error";
    case Box::Warning: return "warning";
    case Box::Information: return "information";
    case Box::Notice: return "notice";
    case Box::Question: return "question";
    case Box::ThreeWay: return "three-way question";
    }
    return "?";
}

std::string ScriptedDialogs::Shown::utf8() const { return ToUtf8(text); }

ScriptedDialogs::~ScriptedDialogs() { verify(); }

ScriptedDialogs& ScriptedDialogs::expect(Box box, const std::string& part, Answer answer) {
    expected_.push_back({box, part, answer});
    return *this;
}

void ScriptedDialogs::verify() {
    for (const auto& e : expected_)
        failHook(std::string("expected ") + BoxName(e.box) + " box never shown: \"" + e.part + "\"");
    expected_.clear();
}

Answer ScriptedDialogs::take(Box box, const std::string& text) {
    shown.push_back({box, text});
    const std::string utf8 = ToUtf8(text);
    if (expected_.empty()) {
        failHook(std::string("unexpected ") + BoxName(box) + " box: \"" + utf8 + "\"");
        return Answer::Cancel;
    }
    const Expected e = expected_.front();
    expected_.pop_front();
    if (e.box != box || utf8.find(e.part) == std::string::npos) {
        failHook(std::string("expected ") + BoxName(e.box) + " box with \"" + e.part + "\", got " + BoxName(box) +
                 " box: \"" + utf8 + "\"");
        return Answer::Cancel;
    }
    return e.answer;
}

void ScriptedDialogs::error(const std::string& text) { take(Box::Error, text); }
void ScriptedDialogs::warning(const std::string& text) { take(Box::Warning, text); }

void ScriptedDialogs::information(const std::string& text) {
    if (!showAllMsg) {
        quiet.push_back(text);
        return;
    }
    take(Box::Information, text);
}

void ScriptedDialogs::notice(const std::string& text) { take(Box::Notice, text); }

Answer ScriptedDialogs::question(const std::string& text, Buttons buttons, BoxKind) {
    questionButtons.push_back(buttons);
    return take(Box::Question, text);
}

Answer ScriptedDialogs::threeWay(const ThreeWayQuestion& q) { return take(Box::ThreeWay, q.line1 + "\n" + q.line2); }

} // namespace kt::test
