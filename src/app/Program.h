// The program's shared objects, created once in a fixed order, and the commands of the main
// window that work on them. The desktop window, the batch tool and the tests each own one
// Program and reach the person through their own Host.
#pragma once

#include "app/Host.h"
#include "app/Thread.h"
#include "app/WorkerOutput.h"
#include "core/Crono.h"
#include "core/DrawingCopper.h"
#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "core/Lista_coo.h"
#include "core/TempFile.h"
#include "fidocad/File_fcd.h"
#include "router/LapDriver.h"
#include "router/Methods.h"
#include "tracer/Tracciapiste.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelta {

struct ProgramOptions {
    std::string iniPath; // the settings file
    // The temporary copy of the drawing; empty: a file of this program's own in the system's
    // temporary folder, removed with the program, so that two programs never share one.
    std::string tmpPath;
    Crono::Clock clock = monotonicTicks;
    std::string iniReadPath = {}; // where the settings are read from, when not iniPath (shipped defaults)
    // An outside request to stop (the batch tool's signals), which a read polls line by line.
    const std::atomic<bool>* stopRequested = nullptr;
    // Where the save dialog proposes the result when the drawing's folder cannot be written;
    // empty, or a folder that cannot be written: the home folder.
    std::string documentsFolder = {};
};

// When a run stops by itself, checked at the end of every lap. A zero means no such limit.
struct StopRules {
    int32_t laps = 0;     // the laps counted in the window
    int32_t idleLaps = 0; // laps since the best one, as counted in the window
    double seconds = 0;   // since processing started

    bool any() const { return laps > 0 || idleLaps > 0 || seconds > 0; }
};

class Program {
public:
    // How the settings file was read is in settings->readOutcome: the front decides whether
    // the program may go on.
    Program(Host& host, ProgramOptions options);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Commands of the main window: they ask the person (confirmations, file choices) and show
    // how the step ended.
    void openFcd();
    // The path written, when the person chose one and the file was written.
    std::optional<std::string> save();
    // False when start was refused (no complete read, or options changed since).
    bool startProcessing();
    void stopProcessing();
    // The track-width command up to its dialog: false when the person keeps the results.
    bool prepareTrackWidths();
    // After the options dialog closed: warns when the options changed since a complete read.
    void optionsDialogClosed();
    // The nets the best lap left open and why, one report line each after a line that counts them;
    // nothing when every net is joined or no lap has ended.
    std::vector<std::string> openNetLines() const;
    // Writes those lines into the report when the debug level is "Medio" or "Alto"; they are
    // returned either way.
    std::vector<std::string> reportOpenNets();

    // The same steps with the file given: the batch tool and the tests choose it beforehand.
    // openFile asks nothing before the read; existing tracks are removed when removeTracks
    // says so (by default the person is asked, as by the open command).
    ReadOutcome openFile(const std::string& path);
    WriteOutcome saveTo(const std::string& path);
    std::function<bool()> removeTracks;
    // See ProgramOptions::documentsFolder.
    std::string documentsFolder;

    bool processing() const { return processing_; }
    // The worker sits at a pause point (or has not started).
    bool workerPaused() const { return thread_->control.paused(); }
    // The worker stopped by itself (a stop rule, or the routing method had nothing left to
    // try) and waits for stopProcessing.
    bool stoppedByItself() const { return stoppedByItself_; }
    // Holds the worker at its next pause point without leaving the processing state, and lets
    // it go on (while a question is asked during processing).
    void holdWorker();
    void releaseWorker();
    // Shows what the worker produced so far; call on the host's thread.
    void drainWorkerOutput();

    // Checked by the worker at the end of every lap of the runs started from now on.
    StopRules stopRules;
    // Called on the worker's thread when it has output waiting, or has stopped by itself; the
    // front end then arranges for drainWorkerOutput on its own thread.
    std::function<void()> onWorkerOutput;
    // Called on the worker's thread at the end of every lap (after the shared flags are set).
    std::function<void(const LapFigures&)> onLapEnd;
    // Called on the worker's thread with the best plane and its jumpers after every lap that
    // improved it.
    std::function<void(const int32_t* bestPlane, const JumperList& bestJumpers)> onBestImproved;

    Host& host;

    // Shared objects, in the order they are created (and the reverse of the order they go).
    // Those that only the commands and the worker use are private.
    std::unique_ptr<GestScheda> grid;
    std::unique_ptr<ListaCoord> workList;
    std::unique_ptr<NetTable> netTable;

    std::unique_ptr<TracciaPiste> tracer;
    std::unique_ptr<GestoreFileFCD> fcd;

private:
    std::unique_ptr<Thread_> thread_;

public:
    std::unique_ptr<GestoreFileINI> settings;
    std::unique_ptr<Crono> crono;
    // The jumpers of the best lap, kept beside the best plane; written by the worker while it
    // runs, like the plane.
    JumperList bestJumpers;

private:
    std::unique_ptr<Thread_> makeThread();
    void replaceThread();
    void wireThread();
    void lapEnded(const LapFigures& figures);
    ReadOutcome readChosen(const std::string& path);
    // Refuses (with its message) until a lap has ended.
    bool mayWrite();
    WriteOutcome write(const std::string& path);
    void show(const Notice& notice);
    bool askRemoveTracks();

    TempFile tempFile_;
    // The drawing's copper as the routing methods read it; set at each start, while no worker runs.
    DrawingCopper copper_;
    WorkerOutput workerOutput_;
    LapDriver driver_;
    bool processing_ = false;
    std::atomic<bool> stoppedByItself_ = false;
    StopRules runRules_;
    std::chrono::steady_clock::time_point runStarted_;
};

} // namespace zelta
