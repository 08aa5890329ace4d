#pragma once
// The desktop's host of a recorded or recording run (zorpy-nibbo --replay FILE, --record
// FILE). The game then runs on the engine's virtual clock instead of Qt's timers, moved on
// by the real time that passes (one precise timer set for whatever falls due next), and its
// ghosts draw from the recording's seed: replay::Session plays the recording, holds at its
// end, hands over at the first press after it and records. Without these options the
// window keeps its Qt timers and clock-seeded ghosts, and none of this exists.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>

#include "engine/figure_table.h"
#include "engine/game.h"
#include "engine/queued_random.h"
#include "engine/virtual_clock.h"
#include "replay/recording.h"
#include "replay/session.h"
#include "ui/pace.h"

namespace zn {

class ReplayHost : public QObject {
    Q_OBJECT
public:
    struct Setup {
        std::optional<replay::Recording> replay;  // --replay: the recording to play
        QString recordPath;                       // --record: where to keep the recording; empty: none
        std::uint64_t seed = 0;                   // the ghosts' seed when nothing is replayed
        QString
            endLog;  // ZN_REPLAY_END_LOG: the figures and state at the hold, as the script driver prints them
    };

    // screen: the window's figures; the game's figures go there and into a table of their own.
    ReplayHost(FigureService& screen, Setup setup);
    ~ReplayHost() override;

    TimerService& timers() { return clock_; }
    RandomService& random() { return random_; }
    FigureService& figures() { return mirror_; }

    // The game made on the services above; controls: the window's own operations of the
    // controls, which the recording's events and the player's presses reach.
    void attach(Game& game, InputOperations& controls);
    // The device is in sight: the clock starts (from the start dialog's play action).
    void start();
    // A player's press or release; while a recording plays it goes nowhere.
    void input(Control c, bool press);
    // Writes the recording now (the program ends), with the time that has passed.
    void finish();

    replay::Session::Phase phase() const { return session_->phase(); }
    // The game's pace (kSpeeds): a recording plays at its own; a recording made is written
    // with the one in force.
    int speed() const { return pace_.speed(); }
    bool playsRecording() const { return setup_.replay.has_value(); }
    void setSpeed(int percent);

Q_SIGNALS:
    // The game's clock moved (timers fired, recorded events played).
    void moved();

public:

    // The recording's file written whole or not at all (QSaveFile, as the settings store
    // writes); false with the reason when it could not be.
    static bool writeFile(const QString& path, const replay::Recording& r, QString& reason);

private:
    // Game figures shown on the window and kept in a table.
    class Mirror : public FigureService {
    public:
        explicit Mirror(FigureService& screen) : screen_(screen) {}
        void setVisible(ImageId id, bool visible) override;
        void copyPicture(ImageId dst, ImageId src) override;
        void clearPicture(ImageId id) override;
        const FigureTable& table() const { return table_; }

    private:
        FigureService& screen_;
        FigureTable table_;
    };

    void pace();
    void afterMoving();
    void schedule();
    void save();

    Setup setup_;
    VirtualClock clock_;
    QueuedRandom random_;
    Mirror mirror_;
    Game* game_ = nullptr;
    std::unique_ptr<replay::Session> session_;
    QTimer due_;
    QElapsedTimer elapsed_;
    qint64 paced_ = 0;  // real milliseconds since start() already given to the session
    Pace pace_;
    bool started_ = false;
    bool gameOver_ = false;
    bool holdLogged_ = false;
    bool saveFailureTold_ = false;
};

}  // namespace zn
