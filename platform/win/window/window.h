// The window system: windows, messages, input, timers, hooks, system information.
#pragma once
