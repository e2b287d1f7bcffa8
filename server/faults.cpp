#include "faults.h"

namespace station {

namespace {

struct ModeName {
  FaultMode mode;
  std::string_view name;
};

constexpr std::array<ModeName, 5> kModes = {{{FaultMode::None, "none"},
                                             {FaultMode::Refuse, "refuse"},
                                             {FaultMode::Title, "title"},
                                             {FaultMode::Slow, "slow"},
                                             {FaultMode::Garble, "garble"}}};

} // namespace

std::optional<FaultMode> parse_fault_mode(std::string_view text) {
  for (const auto &entry : kModes)
    if (entry.name == text)
      return entry.mode;
  return std::nullopt;
}

std::string_view fault_mode_name(FaultMode mode) {
  for (const auto &entry : kModes)
    if (entry.mode == mode)
      return entry.name;
  return "none";
}

FaultBoard::FaultBoard(int default_slow_ms) : default_slow_ms_(default_slow_ms) {}

FaultState FaultBoard::get(Endpoint endpoint) const {
  const std::lock_guard lock(mutex_);
  return states_.at(static_cast<std::size_t>(endpoint_index(endpoint)));
}

void FaultBoard::set(Endpoint endpoint, FaultMode mode, std::optional<int> slow_ms) {
  const std::lock_guard lock(mutex_);
  auto &state = states_.at(static_cast<std::size_t>(endpoint_index(endpoint)));
  state.mode = mode;
  state.slow_ms = mode == FaultMode::Slow ? slow_ms.value_or(default_slow_ms_) : 0;
}

std::string FaultBoard::describe() const {
  const std::lock_guard lock(mutex_);
  std::string text;
  for (int i = 0; i < kPortCount; ++i) {
    const auto &state = states_.at(static_cast<std::size_t>(i));
    text += endpoint_name(endpoint_at(i));
    text += ' ';
    text += fault_mode_name(state.mode);
    if (state.mode == FaultMode::Slow)
      text += ' ' + std::to_string(state.slow_ms);
    text += '\n';
  }
  return text;
}

} // namespace station
