#pragma once

// How the MIDI layer tells the user interface that the manager's next idle
// step has work: a message came in, a connection was lost, a transfer or a
// port request is waiting. The user interface may let its idle steps rest
// meanwhile; this wakes them.

// The function to call (null, the default: none). It must be callable from
// any thread, a real-time one too.
void SetMidiWakeUp(void (*wakeUp)());
// Any thread: calls the function set, if any.
void MidiWakeUp();
