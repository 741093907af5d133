#pragma once

// The two process-wide flags of the alarm path. SoundPlaying keeps the clock's
// tick from polling alarms while an alarm sound plays; PresentationActive keeps
// a second alarm from being presented while one is on screen.
inline bool SoundPlaying = false;
inline bool PresentationActive = false;
