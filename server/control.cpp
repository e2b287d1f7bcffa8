#include "control.h"

#include <mutex>

namespace station {

namespace {

Reply text_reply(int status, std::string text) {
  Reply reply;
  reply.status = status;
  reply.content_type = "text/plain; charset=utf-8";
  reply.cache_control = "no-store";
  reply.body = std::move(text);
  reply.note = "control";
  reply.plain = true;
  return reply;
}

std::optional<Endpoint> target_of(const QueryParams &params) {
  const bool has_mirror = params.count("mirror") > 0;
  const bool has_site = params.count("site") > 0;
  if (has_mirror == has_site)
    return std::nullopt;
  if (has_mirror) {
    if (const auto n = int_param(params, "mirror", 1, kMirrorCount))
      return Endpoint{PortKind::Mirror, static_cast<int>(*n)};
  } else if (const auto n = int_param(params, "site", 1, kSiteCount)) {
    return Endpoint{PortKind::Site, static_cast<int>(*n)};
  }
  return std::nullopt;
}

Reply fault_page(const QueryParams &params, ControlContext &context) {
  const auto endpoint = target_of(params);
  const auto mode_text = params.find("mode");
  const auto mode =
      mode_text == params.end() ? std::nullopt : parse_fault_mode(mode_text->second);
  if (!endpoint || !mode)
    return text_reply(400, "usage: /_control/fault?mirror=1..6|site=1..4&mode="
                           "none|refuse|title|slow|garble[&ms=0..600000]\n");
  std::optional<int> slow_ms;
  if (params.count("ms")) {
    const auto ms = int_param(params, "ms", 0, kMaxSlowMs);
    if (!ms)
      return text_reply(400, "ms: 0..600000\n");
    slow_ms = static_cast<int>(*ms);
  }
  std::string error;
  if (!apply_fault(*endpoint, *mode, slow_ms, context.faults, context.ports, error))
    return text_reply(500, error + "\n");
  return text_reply(200, "ok " + endpoint_name(*endpoint) + " " +
                             std::string(fault_mode_name(*mode)) + "\n");
}

Reply log_page(const QueryParams &params, ControlContext &context) {
  std::size_t from = 0;
  if (params.count("from")) {
    const auto value = int_param(params, "from", 0, 1'000'000'000'000);
    if (!value)
      return text_reply(400, "from: a line number\n");
    from = static_cast<std::size_t>(*value);
  }
  std::string text;
  for (const auto &line : context.log.lines(from))
    text += line + "\n";
  return text_reply(200, std::move(text));
}

} // namespace

bool apply_fault(Endpoint endpoint, FaultMode mode, std::optional<int> slow_ms,
                 FaultBoard &faults, PortSwitch &ports, std::string &error) {
  // Two switches of the same port at once must leave fault and listener
  // agreeing.
  static std::mutex switching;
  const std::lock_guard lock(switching);
  const bool was_refused = faults.get(endpoint).mode == FaultMode::Refuse;
  if (mode == FaultMode::Refuse) {
    faults.set(endpoint, mode);
    return ports.set_listening(endpoint, false, error);
  }
  if (was_refused && !ports.set_listening(endpoint, true, error))
    return false;
  faults.set(endpoint, mode, slow_ms);
  return true;
}

Reply control_page(std::string_view path, const QueryParams &params, ControlContext &context) {
  const auto name = path.substr(kControlPrefix.size());
  if (name == "fault")
    return fault_page(params, context);
  if (name == "faults")
    return text_reply(200, context.faults.describe());
  if (name == "log")
    return log_page(params, context);
  if (name == "ports")
    return text_reply(200, context.addresses);
  return text_reply(404, "unknown control page\n");
}

} // namespace station
