#pragma once

#include <QByteArray>

// What the sound card plays, read from the PulseAudio null sink's monitor of the test
// session ("rec.monitor").
namespace SoundMonitor {

// False when no PulseAudio server answers.
bool available();
// Records `ms` milliseconds of 16-bit mono samples at 22050 Hz.
QByteArray record(int ms);
// Root mean square of the samples, 0..1.
double rms(const QByteArray &samples);
// The dominant frequency, from the zero crossings.
double frequency(const QByteArray &samples);

} // namespace SoundMonitor
