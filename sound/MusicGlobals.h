#pragma once

#include <cstdint>

// The switches between the built-in tune and the user's own playlist. They live for the
// whole run and are read and written on the GUI thread only.

// True while the music dialog's "On/Off" box is checked; the dialog's 200 ms timer copies
// the box here. Starts true, so nothing plays before that timer's first tick.
extern bool ownMusicOn;

// Non-zero while the built-in tune is not running and must be started as soon as own
// music is off. Starts at 1.
extern int32_t builtInTuneRestart;

// Copy of the playlist's current track index (-1: none), read by the list's row painter
// to paint that row green.
extern int32_t currentTrackIndex;
