// `sintonia-station-service --import FILE` as a user runs it: what it prints, its exit
// code, and the directory it leaves.
#include "directory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace station {
namespace {

struct CommandRun {
  int status = -1;
  std::string output;
};

CommandRun run_import(const std::string &db, const std::string &file) {
  const std::string command = std::string("'") + STATION_SERVICE_PATH + "' --db '" + db +
                              "' --import '" + file + "' 2>&1";
  CommandRun run;
  FILE *pipe = popen(command.c_str(), "r");
  if (!pipe)
    return run;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    run.output.append(buffer, got);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class ImportCommand : public testing::Test {
protected:
  void SetUp() override {
    dir_ = std::filesystem::path(testing::TempDir()) /
           ("import-command-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string db() const { return (dir_ / "sub" / "directory.sqlite").string(); }

  std::filesystem::path dir_;
};

TEST_F(ImportCommand, ImportsOnceAndSaysWhatItDid) {
  const std::string file = std::string(IMPORT_FIXTURES) + "/stations.pls";
  const CommandRun first = run_import(db(), file);
  EXPECT_EQ(first.status, 0) << first.output;
  EXPECT_EQ(first.output, file + ": 2 added, 0 updated, 0 unchanged, 1 refused\n"
                                 "  refused entry 3: Title3 without File3\n");
  const CommandRun second = run_import(db(), file);
  EXPECT_EQ(second.status, 0);
  EXPECT_NE(second.output.find("0 added, 0 updated, 2 unchanged, 1 refused"), std::string::npos)
      << second.output;
  Directory directory(db());
  EXPECT_EQ(directory.station_count(), 2);
}

TEST_F(ImportCommand, ANewDirectoryIsTheUsersOwn) {
  const CommandRun run = run_import(db(), std::string(IMPORT_FIXTURES) + "/stations.pls");
  ASSERT_EQ(run.status, 0) << run.output;
  struct stat status{};
  ASSERT_EQ(stat(db().c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0077, 0u);
}

TEST_F(ImportCommand, UnreadableFileLeavesNoDirectory) {
  const CommandRun run = run_import(db(), (dir_ / "missing.m3u").string());
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("nothing imported: cannot read"), std::string::npos) << run.output;
  EXPECT_FALSE(std::filesystem::exists(db()));
}

TEST_F(ImportCommand, BrokenJsonWritesNothing) {
  const std::string file = (dir_ / "broken.json").string();
  FILE *out = std::fopen(file.c_str(), "w");
  ASSERT_NE(out, nullptr);
  std::fputs("[{\"name\":\"a\",\"url\":\"http://127.0.0.1:9/a\"},{\"name\":", out);
  std::fclose(out);
  const CommandRun run = run_import(db(), file);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("nothing imported: not valid JSON"), std::string::npos) << run.output;
  if (std::filesystem::exists(db())) {
    Directory directory(db());
    EXPECT_TRUE(directory.imported_stations().empty());
  }
}

} // namespace
} // namespace station
