// quorlen-solve as its users run it: the built program in a child process,
// its input through a pipe, its output in files, with real faults. The cases
// are in tests/data/cli/*.txt (their README gives the words).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>

#include "support/scratch_dir.h"
#include "support/text_cases.h"

namespace quorlen {
namespace {

namespace fs = std::filesystem;

struct Command {
  Command(std::vector<std::string> a = {}, std::string i = {}, std::size_t f = 0, unsigned s = 200)
      : args(std::move(a)), in(std::move(i)), filler(f), seconds(s) {}
  std::vector<std::string> args;
  std::string in;           // written to its standard input through a pipe,
  std::size_t filler = 0;   // then this many 'x', never all in memory at once
  unsigned seconds = 200;   // then SIGALRM ends it
  std::string stdout_path;  // instead of a file of the folder
  rlim_t fsize = RLIM_INFINITY;
};

struct Ran {
  int status = -1;  // exit status, or -signal
  long max_rss_kb = 0;
  std::string out, err;
};

// Runs quorlen-solve in `dir`.
Ran run(const fs::path& dir, const Command& r) {
  std::vector<char*> argv{const_cast<char*>(QUORLEN_SOLVE)};
  for (const std::string& arg : r.args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const fs::path out = dir / (r.stdout_path.empty() ? "stdout.txt" : r.stdout_path);
  int in[2];
  EXPECT_EQ(::pipe2(in, O_CLOEXEC), 0);
  const int out_fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const int err_fd = ::open((dir / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const rlimit fsize{r.fsize, r.fsize};
    if (::dup2(in[0], 0) < 0 || ::dup2(out_fd, 1) < 0 || ::dup2(err_fd, 2) < 0 || ::chdir(dir.c_str()) != 0 ||
        ::setrlimit(RLIMIT_FSIZE, &fsize) != 0)
      ::_exit(126);
    std::signal(SIGPIPE, SIG_DFL);
    ::alarm(r.seconds);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out_fd);
  ::close(err_fd);
  const auto sigpipe = std::signal(SIGPIPE, SIG_IGN);  // a child that stops reading fails the write
  const std::string filler(64 * 1024, 'x');
  for (std::size_t done = 0, end = r.in.size() + r.filler; done < end;) {
    const std::string_view rest = done < r.in.size() ? std::string_view(r.in).substr(done) : filler;
    const ssize_t n = ::write(in[1], rest.data(), std::min(rest.size(), end - done));
    if (n < 0 && errno != EINTR) break;
    done += n > 0 ? static_cast<std::size_t>(n) : 0;
  }
  std::signal(SIGPIPE, sigpipe);
  ::close(in[1]);
  int status = 0;
  rusage usage{};
  EXPECT_EQ(::wait4(pid, &status, 0, &usage), pid);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status), usage.ru_maxrss,
          r.stdout_path.empty() ? testing::read_bytes(out) : "", testing::read_bytes(dir / "stderr.txt")};
}

// The chosen tab-separated fields of each line, from 1; by default all but
// the 8th, the time, which must have three decimals.
std::string fields_of(const std::string& out, const std::vector<int>& chosen) {
  std::istringstream lines(out);
  std::string kept;
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    if (fields.size() > 7) {
      EXPECT_EQ(fields[7].size() - fields[7].find('.'), 4u) << line;
    }
    std::string selected;
    for (int i = 1; i <= static_cast<int>(fields.size()); ++i) {
      const bool wanted =
          chosen.empty() ? i != 8 : std::find(chosen.begin(), chosen.end(), i) != chosen.end();
      if (wanted) selected += (selected.empty() ? "" : "\t") + fields[i - 1];
    }
    kept += selected + "\n";
  }
  return kept;
}

class Cases : public ::testing::TestWithParam<testing::TextCase> {};

TEST_P(Cases, Run) {
  testing::ScratchDir dir;
  fs::create_directory_symlink(QUORLEN_TEST_DATA_DIR, dir / "data");
  fs::create_directory_symlink(QUORLEN_EXAMPLES_DIR, dir / "examples");
  Command r;
  std::string out, err;
  int status = 0;
  std::vector<int> fields;
  std::vector<std::pair<std::string, std::string>> contents;
  for (const auto& [number, line] : GetParam().lines) {
    const std::vector<std::string> w = testing::words_of(line);
    const std::string& arg = w.size() > 1 ? w[1] : "";
    if (w[0] == "run") {
      r.args.assign(w.begin() + 1, w.end());
    } else if (w[0] == "stdin") {
      r.in += arg;
    } else if (w[0] == "file") {
      testing::write_bytes(dir / arg, w.at(2));
    } else if (w[0] == "stdout") {
      r.stdout_path = arg;
    } else if (w[0] == "fsize") {
      r.fsize = std::stoul(arg);
    } else if (w[0] == "fields") {
      for (std::size_t i = 1; i < w.size(); ++i) fields.push_back(std::stoi(w[i]));
    } else if (w[0] == "out" || w[0] == "err") {
      (w[0] == "out" ? out : err) += arg + "\n";
    } else if (w[0] == "status") {
      status = std::stoi(arg);
    } else if (w[0] == "content") {
      contents.emplace_back(arg, w.at(2));
    } else {
      ADD_FAILURE() << GetParam().file << ":" << number << ": unknown word " << w[0];
    }
  }
  const Ran ran = run(dir.path, r);
  EXPECT_EQ(ran.status, status);
  if (r.stdout_path.empty()) {
    EXPECT_EQ(fields_of(ran.out, fields), out);
  }
  EXPECT_EQ(ran.err, err);
  for (const auto& [name, bytes] : contents) EXPECT_EQ(testing::read_bytes(dir / name), bytes) << name;
}

INSTANTIATE_TEST_SUITE_P(Batch, Cases,
                         ::testing::ValuesIn(testing::load_text_cases(fs::path(QUORLEN_TEST_DATA_DIR) /
                                                                      "cli")),
                         [](const auto& param_info) {
                           std::string name = param_info.param.name;
                           for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

// Peak memory, against the program reading one puzzle: a 100 MB line through
// a pipe, and /dev/zero (one endless line) until SIGALRM ends it.
TEST(Batch, MemoryStaysBoundedWhateverTheInput) {
  testing::ScratchDir dir;
  const std::string puzzle = "1" + std::string(80, '.');
  const Ran small = run(dir.path, {{}, puzzle + "\n"});
  const Ran line = run(dir.path, {{}, puzzle + " ", 100'000'000});
  const Ran zero = run(dir.path, {{"/dev/zero"}, "", 0, 3});
  EXPECT_EQ(line.status, 0);
  EXPECT_EQ(fields_of(line.out, {1, 2}), "1\tSudoku Solved\n");
  EXPECT_EQ(zero.status, -SIGALRM);
  EXPECT_LT(line.max_rss_kb, small.max_rss_kb + 12 * 1024);
  EXPECT_LT(zero.max_rss_kb, small.max_rss_kb + 12 * 1024);
}

// Every collection, and every sample puzzle file, on one thread and on two:
// the same lines but for the times. Each collection puzzle has exactly one
// solution.
TEST(Batch, TwoThreadsGiveTheLinesOfOne) {
  testing::ScratchDir dir;
  std::vector<std::string> inputs;
  for (const fs::path folder : {QUORLEN_TEST_DATA_DIR, QUORLEN_EXAMPLES_DIR}) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().extension() == ".txt" || entry.path().extension() == ".sud")
        inputs.push_back(entry.path().string());
    }
  }
  for (const std::string& input : inputs) {
    SCOPED_TRACE(input);
    const Ran one = run(dir.path, {{"--count", "-j", "1", input}});
    const Ran two = run(dir.path, {{"--count", "-j", "2", input}});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(two.status, 0);
    EXPECT_NE(one.out, "");
    EXPECT_EQ(fields_of(two.out, {}), fields_of(one.out, {}));
    if (input.ends_with(".txt")) {
      EXPECT_EQ(fields_of(one.out, {9}).find_first_not_of("1\n"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace quorlen
