#pragma once

#include <functional>

// Runs handler on the user-interface thread when the process receives SIGTERM
// or SIGINT (a logout, a service stop, Ctrl+C), instead of ending at once.
void OnTerminationSignal(std::function<void()> handler);
