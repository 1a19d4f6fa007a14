#pragma once
// Waiting in tests without sleeping: the thread's messages keep flowing, so
// timers, posted messages and real input are handled meanwhile.
#include <windows.h>

#include <functional>

namespace quillane::testing_support {

// Pumps messages until `done` holds or `timeoutMs` has passed; returns `done`'s last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);

// Pumps messages for `ms` milliseconds.
void PumpFor(DWORD ms);

}  // namespace quillane::testing_support
