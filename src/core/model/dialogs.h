#pragma once

#include <string>

namespace kt {

// YesRetry: "Ja" and "Wiederholen"; Retry is its second answer.
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, YesRetry };
enum class Answer { Ok, Yes, No, Cancel, Retry };
// The look of a question box: questions also come as error, warning or information boxes.
enum class BoxKind { Error, Warning, Information, Confirmation };

// The program's own three-button question box: OK, No, Abort (Abort comes back as Cancel).
struct ThreeWayQuestion {
    std::string caption = "Sicherheitsabfrage";
    std::string line1;
    std::string line2;
    std::string okCaption = "&OK";
    std::string noCaption;
    std::string abortCaption = "&Abbruch";
};

// The one door through which the program talks to the user. All texts are Windows-1252.
// One implementation per front end; tests use a scripted one.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    virtual void error(const std::string& text) = 0;
    virtual void warning(const std::string& text) = 0;
    // A purely informative box: the front end shows it only while ShowAllMsg is set.
    virtual void information(const std::string& text) = 0;
    // An information box that is shown whatever ShowAllMsg says.
    virtual void notice(const std::string& text) = 0;
    virtual Answer question(const std::string& text, Buttons buttons,
                            BoxKind kind = BoxKind::Confirmation) = 0;
    virtual Answer threeWay(const ThreeWayQuestion& q) = 0;
};

// Long operations report here: the wait window, the start screen's bar, or nothing.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void start(const std::string& text, int max) = 0;
    virtual void step(int pos) = 0;
    virtual void finish() = 0;
};

// Shows nothing and answers every question with one fixed answer (benchmarks, fuzzing).
class SilentDialogs : public UserDialogs {
public:
    explicit SilentDialogs(Answer answer = Answer::Yes) : answer_(answer) {}
    void error(const std::string&) override {}
    void warning(const std::string&) override {}
    void information(const std::string&) override {}
    void notice(const std::string&) override {}
    Answer question(const std::string&, Buttons, BoxKind) override { return answer_; }
    Answer threeWay(const ThreeWayQuestion&) override {
        return answer_ == Answer::Yes || answer_ == Answer::Ok ? Answer::Ok : Answer::Cancel;
    }

private:
    Answer answer_;
};

class NoProgress : public Progress {
public:
    void start(const std::string&, int) override {}
    void step(int) override {}
    void finish() override {}
};

} // namespace kt
