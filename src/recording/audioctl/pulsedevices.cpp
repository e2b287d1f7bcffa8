#include "pulsedevices.h"

#include "pulseloop.h"

#include <pulse/introspect.h>

#include <algorithm>

namespace {

struct Query
{
    std::vector<CaptureDevice> devices;
    std::string defaultSink;
    std::string defaultSinkMonitor;
    bool serverDone = false;
    bool sinkDone = false;
    bool sourcesDone = false;
};

void onServerInfo(pa_context *, const pa_server_info *info, void *user)
{
    auto *query = static_cast<Query *>(user);
    if (info && info->default_sink_name)
        query->defaultSink = info->default_sink_name;
    query->serverDone = true;
}

void onSinkInfo(pa_context *, const pa_sink_info *info, int eol, void *user)
{
    auto *query = static_cast<Query *>(user);
    if (eol != 0) {
        query->sinkDone = true;
        return;
    }
    if (info && info->monitor_source_name)
        query->defaultSinkMonitor = info->monitor_source_name;
}

void onSourceInfo(pa_context *, const pa_source_info *info, int eol, void *user)
{
    auto *query = static_cast<Query *>(user);
    if (eol != 0) {
        query->sourcesDone = true;
        return;
    }
    CaptureDevice device;
    device.name = info->name ? info->name : "";
    device.description = info->description && *info->description ? info->description : device.name;
    for (uint32_t i = 0; i < info->n_ports; ++i) {
        const pa_source_port_info *port = info->ports[i];
        device.ports.push_back({port->name ? port->name : "",
                                port->description && *port->description ? port->description : port->name});
    }
    query->devices.push_back(std::move(device));
}

bool wait(PulseLoop &loop, pa_operation *operation, const bool &done, PulseLoop::Clock::time_point deadline)
{
    return loop.await(operation, [&done] { return done; }, deadline);
}

} // namespace

namespace PulseDevices {

bool list(std::vector<CaptureDevice> &devices, std::string &error, int timeoutMs)
{
    const auto deadline = deadlineIn(timeoutMs);
    PulseLoop loop;
    if (!loop.connect(deadline, error))
        return false;
    Query query;
    pa_context *context = loop.context();
    const char *noAnswer = "Il server audio PulseAudio non risponde.";
    if (!wait(loop, pa_context_get_server_info(context, onServerInfo, &query), query.serverDone, deadline)) {
        error = noAnswer;
        return false;
    }
    if (!query.defaultSink.empty()
        && !wait(loop, pa_context_get_sink_info_by_name(context, query.defaultSink.c_str(), onSinkInfo, &query),
                 query.sinkDone, deadline)) {
        error = noAnswer;
        return false;
    }
    if (!wait(loop, pa_context_get_source_info_list(context, onSourceInfo, &query), query.sourcesDone, deadline)) {
        error = noAnswer;
        return false;
    }
    auto monitor = std::find_if(query.devices.begin(), query.devices.end(),
                                [&query](const CaptureDevice &d) { return d.name == query.defaultSinkMonitor; });
    if (monitor != query.devices.end())
        std::rotate(query.devices.begin(), monitor, monitor + 1);
    devices = std::move(query.devices);
    return true;
}

} // namespace PulseDevices
