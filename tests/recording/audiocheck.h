#pragma once

#include <string>
#include <vector>

// Reads recorded files back for the tests: libsndfile for its formats, FFmpeg for the
// others, always as mono floats.
struct DecodedAudio
{
    std::vector<float> samples; // mono (channels averaged)
    int sampleRate = 0;
    int channels = 0;
    std::string error; // empty when the file decoded
};

// `rawRate` > 0 reads a headerless VOX file at that rate.
DecodedAudio decodeWithSndfile(const std::string &path, int rawRate = 0);
DecodedAudio decodeWithFFmpeg(const std::string &path);

// The frequency of a steady tone from its zero crossings, over the middle of the samples.
double toneFrequency(const DecodedAudio &audio);
double rms(const DecodedAudio &audio);
// Interleaved stereo float frames of a sine.
std::vector<float> sineFrames(double frequency, double amplitude, int sampleRate, int frames, long startFrame = 0);
// A 1 kHz tone at half scale, 44.1 kHz stereo 16-bit WAV, `seconds` long, for paplay.
bool writeToneFile(const std::string &path, int seconds);
