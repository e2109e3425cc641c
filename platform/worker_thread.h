// The worker thread of a run.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

namespace platform {

using WorkerEntry = unsigned(__stdcall*)(void* parameter);

// Starts entry(parameter) on a new thread of normal priority with the default stack.
// Returns the thread's handle, invalid (null) when no thread could be created. The C
// runtime's thread start is used so that the runtime's per-thread data is set up.
UniqueHandle BeginWorkerThread(WorkerEntry entry, void* parameter);

}  // namespace platform
