#include "server_module.h"

#include "raii.h"

namespace zorvan {

ServerModule g_serverModule;

void InitModule(HINSTANCE instance) {
  g_serverModule.handOffHead = nullptr;
  g_serverModule.instance = instance;
  g_serverModule.resourceInstance = instance;
  g_serverModule.typeLibInstance = instance;
  g_serverModule.lockCount = 0;
  InitializeCriticalSection(&g_serverModule.typeInfoLock);
  InitializeCriticalSection(&g_serverModule.handOffLock);
  InitializeCriticalSection(&g_serverModule.classObjectLock);
}

void TermModule() {
  DeleteCriticalSection(&g_serverModule.typeInfoLock);
  DeleteCriticalSection(&g_serverModule.handOffLock);
  DeleteCriticalSection(&g_serverModule.classObjectLock);
}

void LockModule() { InterlockedIncrement(&g_serverModule.lockCount); }

void UnlockModule() { InterlockedDecrement(&g_serverModule.lockCount); }

LONG LockCount() { return g_serverModule.lockCount; }

void PushHandOff(HandOffNode* node, void* object) {
  node->object = object;
  node->threadId = GetCurrentThreadId();
  CriticalSectionLock lock(g_serverModule.handOffLock);
  node->next = g_serverModule.handOffHead;
  g_serverModule.handOffHead = node;
}

void* TakeHandOff() {
  const DWORD thread = GetCurrentThreadId();
  CriticalSectionLock lock(g_serverModule.handOffLock);
  for (HandOffNode** link = &g_serverModule.handOffHead; *link; link = &(*link)->next) {
    HandOffNode* node = *link;
    if (node->threadId == thread) {
      *link = node->next;
      return node->object;
    }
  }
  return nullptr;
}

}  // namespace zorvan

namespace zorvan {

void CancelHandOff(HandOffNode* node) {
  CriticalSectionLock lock(g_serverModule.handOffLock);
  for (HandOffNode** link = &g_serverModule.handOffHead; *link; link = &(*link)->next) {
    if (*link == node) {
      *link = node->next;
      return;
    }
  }
}

}  // namespace zorvan
