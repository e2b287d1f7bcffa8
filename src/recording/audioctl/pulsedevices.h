#pragma once

#include <string>
#include <vector>

struct CapturePort
{
    std::string name;
    std::string description;
};

// A PulseAudio source: a capture input, or the monitor of an output.
struct CaptureDevice
{
    std::string name;        // the server's source name ("rec.monitor")
    std::string description; // shown to the user
    std::vector<CapturePort> ports;
};

namespace PulseDevices {
// The server's sources, the monitor of the default output first, then the others in the
// server's order. False with `error` set when the server does not answer in time.
bool list(std::vector<CaptureDevice> &devices, std::string &error, int timeoutMs = 4000);
}
