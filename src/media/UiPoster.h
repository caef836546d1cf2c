#pragma once

#include <functional>

// Queues a function to run later on the user-interface thread, after the current event. The
// media never run drill code themselves; they hand it to the event queue through this.
using UiPoster = std::function<void(std::function<void()>)>;
