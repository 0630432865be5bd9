#include "pictures/first_picture.h"

#include "app_context.h"
#include "pictures/load_picture.h"
#include "pictures/picture_codec.h"
#include "pictures/picture_flags.h"
#include "pictures/picture_window.h"
#include "text/cp1252.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace kt {

using namespace literals;

struct FirstPictureDisplay::Job {
    // Set before the thread starts.
    TPicRec pic;
    std::string filmName;
    QSize target;
    // Set by the thread.
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    PictureBytes read;
    DecodedPicture decoded;
};

FirstPictureDisplay::FirstPictureDisplay(AppContext& ctx, QWidget* owner)
    : QObject(owner), ctx_(ctx), owner_(owner), timer_(new QTimer(this)) {
    timer_->setInterval(20);
    connect(timer_, &QTimer::timeout, this, &FirstPictureDisplay::poll);
}

FirstPictureDisplay::~FirstPictureDisplay() {
    close();
}

std::chrono::milliseconds& FirstPictureDisplay::Patience() {
    static std::chrono::milliseconds patience{150};
    return patience;
}

TForm_Kassotek_Image* FirstPictureDisplay::window() const {
    return window_;
}

bool FirstPictureDisplay::busy() const {
    return job_ != nullptr;
}

void FirstPictureDisplay::close() {
    timer_->stop();
    job_.reset(); // a thread still at work finishes into its own copy
    if (window_) {
        window_->close();
        delete window_.data();
    }
}

void FirstPictureDisplay::show(int slot) {
    close();
    Collection& c = ctx_.collection;
    if (slot < 1 || slot > c.AnzFilm() || c.Film(slot).AnzPics() == 0)
        return;
    const TFilmV26& film = c.Film(slot);
    if (!IsKnownPicType(PicTypeOf(film.Pics[0].PicFlags)))
        return;
    auto job = std::make_shared<Job>();
    job->pic = film.Pics[0];
    job->filmName = film.FilmName.Strng;
    QScreen* screen = owner_->screen() ? owner_->screen() : QGuiApplication::primaryScreen();
    job->target = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    std::thread([job] {
        PictureBytes read = ReadPictureBytes(job->pic);
        DecodedPicture decoded;
        if (!read.missing && read.problem.isEmpty())
            decoded = DecodePicture(reinterpret_cast<const uint8_t*>(read.bytes.constData()),
                                    static_cast<std::size_t>(read.bytes.size()), PicTypeOf(job->pic.PicFlags),
                                    job->target);
        const std::lock_guard<std::mutex> lock(job->mutex);
        job->read = std::move(read);
        job->decoded = std::move(decoded);
        job->done = true;
        job->finished.notify_all();
    }).detach();
    job_ = job;
    {
        std::unique_lock<std::mutex> lock(job->mutex);
        if (!job->finished.wait_for(lock, Patience(), [&] { return job->done; })) {
            timer_->start();
            return;
        }
    }
    job_.reset();
    present(*job);
}

void FirstPictureDisplay::poll() {
    if (!job_) {
        timer_->stop();
        return;
    }
    std::shared_ptr<Job> job = job_;
    {
        const std::lock_guard<std::mutex> lock(job->mutex);
        if (!job->done)
            return;
    }
    timer_->stop();
    job_.reset();
    present(*job);
}

void FirstPictureDisplay::present(Job& job) {
    UserDialogs& ui = ctx_.dialogs();
    if (job.read.missing) {
        ui.error(MissingLinkMessage(job.pic.PicText.Strng));
        return;
    }
    const QString problem = !job.read.problem.isEmpty() ? job.read.problem : job.decoded.problem;
    if (!job.decoded.ok) {
        ui.error(UnreadablePictureMessage(job.filmName, 1, problem));
        return;
    }
    if (TForm_Kassotek_Image::Showing()) {
        ui.error("Erst das Bild-Fenster schließen!"_cp);
        return;
    }
    window_ = new TForm_Kassotek_Image(owner_, true);
    // The list keeps the keyboard: the arrow keys go on moving through the films.
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    window_->setModal(false);
    window_->setPicture(job.decoded.image, job.decoded.size);
    window_->resize(job.decoded.size + QSize(10, 10));
    const bool listActive = owner_->isActiveWindow();
    window_->show();
    // Some window managers activate a new window all the same.
    if (listActive)
        owner_->activateWindow();
}

} // namespace kt
