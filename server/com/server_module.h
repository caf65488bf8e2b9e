// The process-wide record of the server: its module handles, the module
// lock count, its critical sections and the per-thread hand-off list that
// passes an object to the window procedure of a window being created.
#pragma once
#include <windows.h>

namespace zorvan {

struct HandOffNode {
  void* object;
  DWORD threadId;
  HandOffNode* next;
};

struct ServerModule {
  HINSTANCE instance;
  HINSTANCE resourceInstance;
  HINSTANCE typeLibInstance;
  volatile LONG lockCount;
  CRITICAL_SECTION typeInfoLock;
  CRITICAL_SECTION handOffLock;
  CRITICAL_SECTION classObjectLock;
  HandOffNode* handOffHead;
};

extern ServerModule g_serverModule;

void InitModule(HINSTANCE instance);
void TermModule();
void LockModule();
void UnlockModule();
LONG LockCount();

// Records object for the next window this thread creates; the node is the
// caller's and stays in the list until TakeHandOff returns it.
void PushHandOff(HandOffNode* node, void* object);
// The object this thread pushed last, unlinked; null when there is none.
void* TakeHandOff();
// Unlinks node if it is still in the list (its window never took it).
void CancelHandOff(HandOffNode* node);

}  // namespace zorvan
