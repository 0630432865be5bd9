#include "mainwindow/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace kt {

namespace {

// The normal pointer on top of the hourglass while a box waits for the user.
struct NormalPointer {
    NormalPointer() { QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor)); }
    ~NormalPointer() { QGuiApplication::restoreOverrideCursor(); }
    NormalPointer(const NormalPointer&) = delete;
    NormalPointer& operator=(const NormalPointer&) = delete;
};

} // namespace

BusyCursor::BusyCursor(UserDialogs& target) : target_(target) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyCursor::~BusyCursor() {
    QGuiApplication::restoreOverrideCursor();
}

void BusyCursor::error(const std::string& text) {
    NormalPointer p;
    target_.error(text);
}
void BusyCursor::warning(const std::string& text) {
    NormalPointer p;
    target_.warning(text);
}
void BusyCursor::information(const std::string& text) {
    NormalPointer p;
    target_.information(text);
}
void BusyCursor::notice(const std::string& text) {
    NormalPointer p;
    target_.notice(text);
}
Answer BusyCursor::question(const std::string& text, Buttons buttons, BoxKind kind) {
    NormalPointer p;
    return target_.question(text, buttons, kind);
}
Answer BusyCursor::threeWay(const ThreeWayQuestion& q) {
    NormalPointer p;
    return target_.threeWay(q);
}

} // namespace kt
