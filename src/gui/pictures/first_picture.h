#pragma once

#include "model/film.h"

#include <QObject>
#include <QPointer>

#include <chrono>
#include <memory>

class QTimer;
class QWidget;

namespace kt {

class AppContext;
class TForm_Kassotek_Image;

// The film list's picture window: the first picture of the selected film in a window that stays
// on top and does not block. The picture is read and decoded beside the list, so that a slow
// linked file never holds the list for longer than `patience`; a later selection wins.
class FirstPictureDisplay : public QObject {
    Q_OBJECT
public:
    FirstPictureDisplay(AppContext& ctx, QWidget* owner);
    ~FirstPictureDisplay() override;

    // Closes the window showing and shows picture 0 of film `slot`.
    void show(int slot);
    // Closes and discards the window, and forgets a picture still being read.
    void close();
    TForm_Kassotek_Image* window() const;
    // True while a picture is still being read or decoded.
    bool busy() const;

    // How long a selection waits for its picture before the list goes on (program-wide; tests).
    static std::chrono::milliseconds& Patience();

private:
    struct Job;
    void poll();
    void present(Job& job);

    AppContext& ctx_;
    QWidget* owner_;
    QPointer<TForm_Kassotek_Image> window_;
    std::shared_ptr<Job> job_;
    QTimer* timer_;
};

} // namespace kt
