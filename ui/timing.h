#pragma once
// Waits that keep the user interface alive: pending events, timer ticks and
// clicks are handled throughout, so handlers may run inside a wait (and wait
// themselves). The wait blocks in the event loop instead of spinning, and is
// measured on a monotonic clock, so it ends on time across midnight too.

namespace huevox {

// Waits the given seconds from the moment of the call; 0 or less returns at once.
void Pause(double seconds);

// Waits until the clock reaches the whole second nearest to the call plus
// seconds: between seconds - 0.5 and seconds + 0.5 from the call.
void PauseWholeSeconds(int seconds);

// Seconds since local midnight, with a fractional part.
double SecondsSinceMidnight();

}  // namespace huevox
