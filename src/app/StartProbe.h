#pragma once
// The start-up benchmark's finishing line. With RP58_START_PROBE set in the
// environment, the first time the event loop waits after the first paint,
// "painted and idle" goes to the standard output and the event loops end.
// Off by default; shared with the bare window the benchmark measures against.
void InstallStartProbe();

inline constexpr char kStartProbeMarker[] = "painted and idle";
