// Steps of the engine's start-up, frame and shut-down that belong to subsystems outside the main
// loop's sources: the file source, the resource manager and its loader thread, the download
// manager, the value and widget resource factories and the custom cursor. Each owner installs its
// steps when it is built into the program; a step nobody installed is skipped. Main thread.
#pragma once

#include <functional>

namespace Corvane::Internal
{
struct EngineHooks
{
    // Start-up, after the audio platform exists: create the file source (over partitions 2, then
    // 1) when there is none, registered for singleton teardown.
    std::function<void()> createFileSource;
    // Start-up, after the first display: register the value resource factories, then the widget
    // object factories.
    std::function<void()> registerValueResourceFactories;
    std::function<void()> registerObjectFactories;
    // Shut-down, after the application stopped: cancel the loader's jobs, join its thread and
    // release every resource.
    std::function<void()> stopResourceManager;
    // Shut-down: stop the download manager's workers when it was created.
    std::function<void()> shutdownDownloadManager;
    // Shut-down: close the file source.
    std::function<void()> closeFileSource;
    // Every frame while the window is active, after the application's overlay.
    std::function<void()> drawCustomCursor;
    // When the program ends without its shut-down (an unhandled error, or a second instance):
    // end and join every worker thread still running, so none outlives the main thread's
    // objects. Must not throw.
    std::function<void()> stopWorkerThreads;
};

EngineHooks& GetEngineHooks();
// The engine's own steps, as GetEngineHooks holds them until someone replaces them.
EngineHooks DefaultEngineHooks();

// Calls hook when it is installed.
inline void RunHook(const std::function<void()>& hook)
{
    if (hook)
        hook();
}
} // namespace Corvane::Internal
