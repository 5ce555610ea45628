#pragma once

// Stops the ALSA library from printing its own errors to standard error (it does so on every
// machine without a sound card when SDL probes it). Does nothing where ALSA is not installed.
void silenceAlsaErrors();
