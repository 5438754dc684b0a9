#pragma once
// Clock arithmetic behind the waits, kept free of Qt so it can be tested with
// any time of day.

namespace huevox {

// Seconds left to wait for PauseWholeSeconds(seconds) called at timeOfDay
// (seconds since local midnight): the wait ends when the clock reaches the
// whole second nearest to the call plus seconds. Never negative.
double WholeSecondsRemaining(double timeOfDay, int seconds);

}  // namespace huevox
