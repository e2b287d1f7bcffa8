// Imports generated station files of 100 000 stations (a JSON station list and an M3U
// playlist) into a new directory, then again, and prints for each run the file's size,
// the wall time and the import process's peak resident memory.
#include <chrono>
#include <fcntl.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kStations = 100000;

void write_json(const std::string &path) {
  std::ofstream out(path, std::ios::binary);
  out << "[\n";
  for (int i = 1; i <= kStations; ++i) {
    out << "{\"changeuuid\":\"c" << i << "\",\"stationuuid\":\"s" << i << "\",\"name\":\"Radio Prova numero "
        << i << "\",\"url\":\"http://127.0.0.1:47801/stream/" << i
        << ".wav\",\"url_resolved\":\"http://127.0.0.1:47801/stream/" << i
        << ".wav\",\"homepage\":\"http://127.0.0.1:47810/\",\"favicon\":\"\",\"tags\":\"pop,rock,news\","
           "\"country\":\"Italy\",\"countrycode\":\"IT\",\"state\":\"\",\"language\":\"italian\","
           "\"votes\":0,\"lastchangetime\":\"2024-05-17 12:00:00\",\"codec\":\"MP3\",\"bitrate\":128,"
           "\"hls\":0,\"lastcheckok\":1,\"clickcount\":"
        << i % 97 << ",\"clicktrend\":0}" << (i < kStations ? ",\n" : "\n");
  }
  out << "]\n";
}

void write_m3u(const std::string &path) {
  std::ofstream out(path, std::ios::binary);
  out << "#EXTM3U\n";
  for (int i = 1; i <= kStations; ++i)
    out << "#EXTINF:-1 group-title=\"Prova\",Radio Prova numero " << i
        << "\nhttp://127.0.0.1:47801/stream/" << i << ".wav\n";
}

void run(const char *what, const std::string &db, const std::string &file) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    execl(SINTONIA_STATION_SERVICE, SINTONIA_STATION_SERVICE, "--db", db.c_str(), "--import",
          file.c_str(), static_cast<char *>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double file_mb = static_cast<double>(std::filesystem::file_size(file)) / (1 << 20);
  const double peak_mb = static_cast<double>(usage.ru_maxrss) / 1024;
  std::printf("%-28s %7.1f MB file  %6.2f s  peak RSS %6.1f MB (%.1f x the file)  exit %d\n", what,
              file_mb, seconds, peak_mb, peak_mb / file_mb,
              WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

} // namespace

int main() {
  char pattern[] = "/tmp/sintonia-import-bench.XXXXXX";
  if (!mkdtemp(pattern))
    return 1;
  const std::string dir = pattern;
  write_json(dir + "/stations.json");
  write_m3u(dir + "/stations.m3u");
  std::printf("%d stations per file\n", kStations);
  run("JSON, new directory", dir + "/a.sqlite", dir + "/stations.json");
  run("JSON, same file again", dir + "/a.sqlite", dir + "/stations.json");
  run("M3U, new directory", dir + "/b.sqlite", dir + "/stations.m3u");
  run("M3U, same file again", dir + "/b.sqlite", dir + "/stations.m3u");
  std::filesystem::remove_all(dir);
  return 0;
}
