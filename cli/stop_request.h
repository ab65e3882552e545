#pragma once
// Ctrl+C, and natively SIGINT, SIGTERM and SIGHUP: the run stops at its next step
// instead of the process dying with a file half-written.
namespace stavrel::cli {

// Installs the handlers (each system's own, in win32/ or posix/); call
// once, before any work starts.
void CatchStopRequests();
bool StopRequested();
// What the handlers call: safe in a signal handler.
void RequestStop() noexcept;

// The shells' exit code for a run ended by Ctrl+C.
inline constexpr int kStoppedExitCode = 130;

}  // namespace stavrel::cli
