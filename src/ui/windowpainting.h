#pragma once
// Lets windows paint while the user-interface thread is otherwise busy (a wait for a reply).

#include <functional>

namespace callcfg {

// Delivers expose, paint and other window-system events that are not user input, for up to
// maxMs milliseconds, and returns early as soon as done() is true (checked after every pass;
// without done the full time is used; maxMs 0 makes one pass). Timer events are held back
// meanwhile (they fire again afterwards), so no timer of the program runs, and user
// input and socket notifiers stay queued.
void letWindowsPaint(int maxMs, std::function<bool()> done = {});

} // namespace callcfg
