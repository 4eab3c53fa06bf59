#pragma once

// Where the own playlist stands. A fresh playlist is Idle; "Stop" makes it Stopped.
enum class PlayState { Playing = 0, Idle = 1, Stopped = 2 };
