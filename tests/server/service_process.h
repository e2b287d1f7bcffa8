// Runs sintonia-station-service as a child process for a test, in a private
// temporary folder. Every wait has a deadline.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace station::test {

class ServiceProcess {
public:
  ServiceProcess();
  ~ServiceProcess(); // kills a process still running, removes the folder
  ServiceProcess(const ServiceProcess &) = delete;
  ServiceProcess &operator=(const ServiceProcess &) = delete;

  const std::filesystem::path &folder() const { return folder_; }
  std::filesystem::path ready_file() const { return folder_ / "ready.txt"; }
  std::filesystem::path log_file() const { return folder_ / "requests.log"; }
  std::filesystem::path db_file() const { return folder_ / "data" / "stations.db"; }

  // Starts the service (the binary named by $SINTONIA_TEST_SERVICE, if set,
  // e.g. an older build to compare with) with its ready file, log, directory and every port 0
  // (the system picks free ports), plus `extra` arguments; waits for the
  // ready file. False (with the service's error output in `error`) when it
  // did not become ready in time.
  bool start(const std::vector<std::string> &extra, std::string &error,
             std::chrono::milliseconds deadline = std::chrono::seconds(15));

  // The ten addresses "127.0.0.1:port" from the ready file.
  const std::vector<std::string> &addresses() const { return addresses_; }
  int port(int index) const; // 0..9, address-file order

  // SIGTERM, then waits for the exit; the exit code, or nullopt if the
  // process had to be killed after the deadline.
  std::optional<int> stop(std::chrono::milliseconds deadline = std::chrono::seconds(10));

  pid_t pid() const { return pid_; }

  std::string standard_output() const;
  std::string standard_error() const;

private:
  std::filesystem::path folder_;
  pid_t pid_ = -1;
  std::vector<std::string> addresses_;
};

std::string read_file(const std::filesystem::path &path);

} // namespace station::test
