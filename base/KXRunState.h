// The process-wide run state that End and runtime errors consult.
#pragma once

// Values are fixed by the runtime's lifecycle: append-only.
enum class KXRunState : int {
    BeforeExecute = 0,
    Starting = 1, // modules start
    Running = 2, // the program runs
    Ending = 3, // modules shut down
};

KXRunState kxRunState();
void kxSetRunState(KXRunState state);
