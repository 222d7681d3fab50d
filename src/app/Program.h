// The program's shared objects, created once in a fixed order, and the commands of the main
// window that work on them. The desktop window, the batch tool and the tests each own one
// Program and reach the person through their own Host.
#pragma once

#include "app/Host.h"
#include "app/Thread.h"
#include "app/WorkerOutput.h"
#include "core/Crono.h"
#include "core/File_ini.h"
#include "core/Init_obj.h"
#include "core/Lista_coo.h"
#include "fidocad/File_fcd.h"
#include "router/Aprizelta.h"
#include "router/LapDriver.h"
#include "router/NegotiatedRouter.h"
#include "router/SearchLists.h"
#include "tracer/Tracciapiste.h"

#include <functional>
#include <memory>
#include <string>

namespace zelta {

struct ProgramOptions {
    std::string iniPath; // the settings file
    std::string tmpPath; // the temporary copy of the drawing; empty: "zelta.tmp" beside iniPath
    Crono::Clock clock = monotonicTicks;
};

class Program {
public:
    // Throws SettingsError when the settings file holds a value that is not a whole number.
    Program(Host& host, ProgramOptions options);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Commands of the main window.
    void openFcd();
    void save();
    // False when start was refused (no complete read, or options changed since).
    bool startProcessing();
    void stopProcessing();
    // The track-width command up to its dialog: false when the person keeps the results.
    bool prepareTrackWidths();
    // After the options dialog closed: warns when the options changed since a complete read.
    void optionsDialogClosed();

    bool processing() const { return processing_; }
    // Shows what the worker produced so far; call on the host's thread.
    void drainWorkerOutput();

    // Called on the worker's thread when it has output waiting; the front end then arranges
    // for drainWorkerOutput on its own thread.
    std::function<void()> onWorkerOutput;
    // Called on the worker's thread at the end of every lap (after the shared flags are set).
    std::function<void(const LapFigures&)> onLapEnd;
    // Called on the worker's thread with the best plane after every lap that improved it.
    std::function<void(const int32_t* bestPlane)> onBestImproved;

    Host& host;
    // Shared objects, in the order they are created.
    std::unique_ptr<GestScheda> grid;
    std::unique_ptr<ListaCoord> workList;
    std::unique_ptr<NetTable> netTable;
    std::unique_ptr<TargetList> targetList;
    std::unique_ptr<ApriZelta> router;
    std::unique_ptr<TracciaPiste> tracer;
    std::unique_ptr<GestoreFileFCD> fcd;
    std::unique_ptr<Thread_> thread;
    std::unique_ptr<GestoreFileINI> settings;
    std::unique_ptr<Crono> crono;
    // The routing method of the setting metodo=1.
    std::unique_ptr<NegotiatedRouter> negotiated;

private:
    std::unique_ptr<Thread_> makeThread();
    void replaceThread();
    void wireThread();

    WorkerOutput workerOutput_;
    LapDriver driver_;
    bool processing_ = false;
};

// The temporary file's default place: "zelta.tmp" in the folder of the settings file.
std::string temporaryPathBeside(const std::string& iniPath);

} // namespace zelta
