#include "service_process.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace station::test {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> lines_of(const std::string &text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

} // namespace

std::string read_file(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

ServiceProcess::ServiceProcess() {
  std::string pattern = (std::filesystem::temp_directory_path() / "station-test-XXXXXX").string();
  if (mkdtemp(pattern.data()))
    folder_ = pattern;
}

ServiceProcess::~ServiceProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  std::error_code ignored;
  if (!folder_.empty())
    std::filesystem::remove_all(folder_, ignored);
}

bool ServiceProcess::start(const std::vector<std::string> &extra, std::string &error,
                           std::chrono::milliseconds deadline) {
  if (folder_.empty()) {
    error = "no temporary folder";
    return false;
  }
  std::filesystem::remove(ready_file());
  const char *other = std::getenv("SINTONIA_TEST_SERVICE");
  std::vector<std::string> args = {other && other[0] ? other : STATION_SERVICE_PATH,
                                   "--mirror-ports", "0,0,0,0,0,0",
                                   "--site-ports", "0,0,0,0",
                                   "--db", db_file().string(),
                                   "--log", log_file().string(),
                                   "--ready-file", ready_file().string(),
                                   "--exit-with-parent"};
  args.insert(args.end(), extra.begin(), extra.end());
  std::vector<char *> argv;
  for (auto &arg : args)
    argv.push_back(arg.data());
  argv.push_back(nullptr);

  const auto out = (folder_ / "stdout.txt").string();
  const auto err = (folder_ / "stderr.txt").string();
  pid_ = fork();
  if (pid_ == 0) {
    const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out_fd, 1);
    dup2(err_fd, 2);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (pid_ < 0) {
    error = "fork failed";
    return false;
  }

  const auto until = Clock::now() + deadline;
  while (Clock::now() < until) {
    if (std::filesystem::exists(ready_file())) {
      addresses_ = lines_of(read_file(ready_file()));
      return true;
    }
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      error = "service exited before it was ready: " + standard_error();
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  error = "service not ready in time: " + standard_error();
  return false;
}

int ServiceProcess::port(int index) const {
  const auto &address = addresses_.at(static_cast<std::size_t>(index));
  return std::atoi(address.substr(address.rfind(':') + 1).c_str());
}

std::optional<int> ServiceProcess::stop(std::chrono::milliseconds deadline) {
  if (pid_ <= 0)
    return std::nullopt;
  kill(pid_, SIGTERM);
  const auto until = Clock::now() + deadline;
  while (Clock::now() < until) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      if (WIFEXITED(status))
        return WEXITSTATUS(status);
      return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
  return std::nullopt;
}

std::string ServiceProcess::standard_output() const { return read_file(folder_ / "stdout.txt"); }
std::string ServiceProcess::standard_error() const { return read_file(folder_ / "stderr.txt"); }

} // namespace station::test
