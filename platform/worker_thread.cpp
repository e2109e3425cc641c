#include "platform/worker_thread.h"

#include <process.h>

namespace platform {

UniqueHandle BeginWorkerThread(WorkerEntry entry, void* parameter) {
  const uintptr_t thread = _beginthreadex(nullptr, 0, entry, parameter, 0, nullptr);
  return UniqueHandle(reinterpret_cast<HANDLE>(thread));
}

}  // namespace platform
