// Exit statuses of a command, shared by the commands and their dispatcher.
#pragma once

namespace mss::app {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // refused input, a store, read or write failure
inline constexpr int kExitUsage = 2;   // bad arguments

}  // namespace mss::app
