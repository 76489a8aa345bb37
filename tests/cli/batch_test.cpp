// quorlen-solve and quorlen-generate as their users run them: the built
// program in a child process, its input through a pipe, its output in files,
// with real faults. The cases are in tests/data/cli/*.txt (their README
// gives the words).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <fstream>
#include <map>
#include <tuple>

#include "support/scratch_dir.h"
#include "support/text_cases.h"
#ifdef QUORLEN_PRINT
#include "support/pdf_pages.h"
#endif

namespace quorlen {
namespace {

namespace fs = std::filesystem;

struct Command {
  Command(std::vector<std::string> a = {}, std::string i = {}, std::size_t f = 0, unsigned s = 200)
      : args(std::move(a)), in(std::move(i)), filler(f), seconds(s) {}
  std::string program = QUORLEN_SOLVE;
  std::vector<std::string> args;
  std::string in;           // written to its standard input through a pipe,
  std::size_t filler = 0;   // then this many 'x', never all in memory at once
  unsigned seconds = 200;   // then SIGALRM ends it
  std::string stdout_path;  // instead of a file of the folder; "tty": a terminal
  rlim_t fsize = RLIM_INFINITY;
  int closed = -1;               // a standard descriptor it starts without
  int signal = 0;                // sent while its output, a pipe then, is full; stdin open till then
  bool nonblocking = false;      // its output a non-blocking pipe, read once it stops growing
  bool taken_names = false;      // the names of its first 100 temporary files exist
  const passwd* user = nullptr;  // runs as this user, with at most `nproc` processes and threads
  rlim_t nproc = RLIM_INFINITY;
  std::vector<std::pair<std::string, std::string>> env;  // set in its environment
};

struct Ran {
  int status = -1;  // exit status, or -signal
  long max_rss_kb = 0;
  std::string out, err;
  pid_t pid = 0;
};

// Runs the program in `dir`.
Ran run(const fs::path& dir, const Command& r) {
  std::vector<char*> argv{const_cast<char*>(r.program.c_str())};
  for (const std::string& arg : r.args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const fs::path out = dir / (r.stdout_path.empty() ? "stdout.txt" : r.stdout_path);
  int in[2], piped[2], go[2];
  EXPECT_EQ(::pipe2(in, O_CLOEXEC) | ::pipe2(piped, O_CLOEXEC) | ::pipe2(go, O_CLOEXEC), 0);
  // A pipe of one page: once a page is read from a full one, the writer's
  // next write of many lines goes through in part and waits.
  const bool piped_out_mode = r.signal || r.nonblocking;
  if (piped_out_mode) ::fcntl(piped[0], F_SETPIPE_SZ, 4096);
  if (r.nonblocking) ::fcntl(piped[1], F_SETFL, O_NONBLOCK);
  const int terminal = r.stdout_path == "tty" ? ::posix_openpt(O_RDWR | O_NOCTTY) : -1;
  EXPECT_TRUE(terminal < 0 || (::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0));
  const int out_fd = piped_out_mode  ? piped[1]
                     : terminal >= 0 ? ::open(::ptsname(terminal), O_RDWR | O_NOCTTY | O_CLOEXEC)
                                     : ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const int err_fd = ::open((dir / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const rlimit fsize{r.fsize, r.fsize}, nproc{r.nproc, r.nproc};
    char byte;
    if (::dup2(in[0], 0) < 0 || ::dup2(out_fd, 1) < 0 || ::dup2(err_fd, 2) < 0 || ::chdir(dir.c_str()) != 0 ||
        ::setrlimit(RLIMIT_FSIZE, &fsize) != 0 || ::close(go[1]) != 0 || ::read(go[0], &byte, 1) != 0 ||
        (r.user && (::setrlimit(RLIMIT_NPROC, &nproc) != 0 || ::setgid(r.user->pw_gid) != 0 ||
                    ::setuid(r.user->pw_uid) != 0)))
      ::_exit(126);
    if (r.closed >= 0) ::close(r.closed);
    for (const auto& [name, value] : r.env) ::setenv(name.c_str(), value.c_str(), 1);
    // The leak checker's own thread at the end would not start either.
    if (r.user) ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    // In a coverage build, counts that a limit or another user would keep
    // from being written whole where they belong go elsewhere, or nowhere.
    if (r.user || r.fsize != RLIM_INFINITY) ::setenv("GCOV_PREFIX", (dir / "gcov").c_str(), 1);
    std::signal(SIGPIPE, SIG_DFL);
    ::alarm(r.seconds);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  for (int i = 0; r.taken_names && i < 100; ++i)
    testing::write_bytes(dir / (".quorlen-" + std::to_string(pid) + "-" + std::to_string(i) + ".tmp"), "");
  for (const int fd : {in[0], piped[1], go[0], go[1], err_fd}) ::close(fd);
  if (!piped_out_mode) ::close(out_fd);
  const auto sigpipe = std::signal(SIGPIPE, SIG_IGN);  // a child that stops reading fails the write
  const std::string filler(64 * 1024, 'x');
  for (std::size_t done = 0, end = r.in.size() + r.filler; done < end;) {
    const std::string_view rest = done < r.in.size() ? std::string_view(r.in).substr(done) : filler;
    const ssize_t n = ::write(in[1], rest.data(), std::min(rest.size(), end - done));
    if (n < 0 && errno != EINTR) break;
    done += n > 0 ? static_cast<std::size_t>(n) : 0;
  }
  std::signal(SIGPIPE, sigpipe);
  std::string piped_out;
  const auto take = [&](std::size_t most) {
    char buffer[4096];
    for (ssize_t n = 1; n > 0 && piped_out.size() < most; piped_out.append(buffer, std::max<ssize_t>(n, 0)))
      n = ::read(piped[0], buffer, std::min(sizeof buffer, most - piped_out.size()));
  };
  const auto stalled = [&] {  // waits until the output stops growing (no output: for a second)
    for (int before = -1, now = 0, i = 0; i < 50 && (now != before || (now == 0 && i < 10)); ++i) {
      before = now;
      ::usleep(100'000);
      ::ioctl(piped[0], FIONREAD, &now);
    }
  };
  if (r.signal) {
    stalled();
    ::fcntl(piped[0], F_SETFL, O_NONBLOCK);
    take(4096);
    ::fcntl(piped[0], F_SETFL, 0);
    stalled();
    ::kill(pid, r.signal);
    take(SIZE_MAX);
  } else if (r.nonblocking) {
    stalled();
    take(SIZE_MAX);
  }
  ::close(in[1]);
  ::close(piped[0]);
  if (terminal >= 0) ::close(terminal);
  int status = 0;
  rusage usage{};
  EXPECT_EQ(::wait4(pid, &status, 0, &usage), pid);
  std::string err;  // but for what a coverage build's own code says of its counts
  std::istringstream lines(testing::read_bytes(dir / "stderr.txt"));
  for (std::string line; std::getline(lines, line);)
    if (!line.starts_with("profiling:") && !line.starts_with("libgcov profiling error:")) err += line + '\n';
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status), usage.ru_maxrss,
          piped_out_mode          ? piped_out
          : r.stdout_path.empty() ? testing::read_bytes(out)
                                  : "",
          err, pid};
}

// The chosen tab-separated fields of each line, from 1; by default all but
// the 8th, the time, which must have three decimals unless it is chosen (the
// 8th of --explain is a sentence).
std::string fields_of(const std::string& out, const std::vector<int>& chosen) {
  std::istringstream lines(out);
  std::string kept;
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    if (fields.size() > 7 && std::find(chosen.begin(), chosen.end(), 8) == chosen.end()) {
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
  const std::map<std::string, int> signals{{"INT", SIGINT}, {"TERM", SIGTERM}, {"HUP", SIGHUP}};
  std::string out, err;
  int status = 0, lines = -1;
  std::vector<int> fields;
  int first_line = 1, last_line = INT_MAX;  // the output lines compared
  std::vector<std::pair<std::string, std::string>> contents;
  std::string pdf, info, pages;  // quorlen-print's PDF, what pdfinfo says of it, and what pdftotext finds
  int per_page = 1;
  for (const auto& [number, line] : GetParam().lines) {
    const std::vector<std::string> w = testing::words_of(line);
    const std::string& arg = w.size() > 1 ? w[1] : "";
    if (w[0] == "program" && w.at(1) == "quorlen-print") {
#ifdef QUORLEN_PRINT
      r.program = QUORLEN_PRINT;
#else
      GTEST_SKIP() << "quorlen-print is not built";
#endif
    } else if (w[0] == "program") {
      r.program = w.at(1) == "quorlen-generate" ? QUORLEN_GENERATE : QUORLEN_SOLVE;
    } else if (w[0] == "run") {
      r.args.assign(w.begin() + 1, w.end());
      const auto per = std::find(r.args.begin(), r.args.end(), "--per-page");
      if (per != r.args.end() && per + 1 != r.args.end()) per_page = std::stoi(per[1]);
    } else if (w[0] == "stdin") {
      r.in += arg;
    } else if (w[0] == "file") {
      testing::write_bytes(dir / arg, w.at(2));
    } else if (w[0] == "env") {
      r.env.emplace_back(arg, w.at(2));
    } else if (w[0] == "stdout") {
      r.stdout_path = arg;
    } else if (w[0] == "fsize") {
      r.fsize = std::stoul(arg);
    } else if (w[0] == "seconds") {
      r.seconds = static_cast<unsigned>(std::stoul(arg));
    } else if (w[0] == "closed") {
      r.closed = arg == "stdin" ? 0 : 1;
    } else if (w[0] == "signal") {
      r.signal = signals.at(arg);
    } else if (w[0] == "nonblocking") {
      r.nonblocking = true;
      lines = std::stoi(arg);
    } else if (w[0] == "taken-names") {
      r.taken_names = true;
    } else if (w[0] == "fifo") {
      ::mkfifo((dir / arg).c_str(), 0600);
    } else if (w[0] == "fields") {
      for (std::size_t i = 1; i < w.size(); ++i) fields.push_back(std::stoi(w[i]));
    } else if (w[0] == "lines") {
      first_line = std::stoi(arg);
      last_line = std::stoi(w.at(2));
    } else if (w[0] == "out" || w[0] == "err") {
      (w[0] == "out" ? out : err) += arg + "\n";
    } else if (w[0] == "status") {
      status = std::stoi(arg);
    } else if (w[0] == "content") {
      contents.emplace_back(arg, w.at(2));
    } else if (w[0] == "pdf" || w[0] == "info") {
      (w[0] == "pdf" ? pdf : info) = arg;
    } else if (w[0] == "page" || w[0] == "grid") {
      pages += (w[0] == "page" ? line : arg + "\t" + w.at(2)) + "\n";
    } else {
      ADD_FAILURE() << GetParam().file << ":" << number << ": unknown word " << w[0];
    }
  }
  const Ran ran = run(dir.path, r);
  EXPECT_EQ(ran.status, status);
  if (r.signal) {  // stopped somewhere: only whole lines
    EXPECT_TRUE(ran.out.empty() || ran.out.ends_with('\n')) << ran.out.substr(ran.out.rfind('\n') + 1);
  } else if (lines >= 0) {
    EXPECT_EQ(std::count(ran.out.begin(), ran.out.end(), '\n'), lines);
    EXPECT_TRUE(ran.out.ends_with('\n'));
  } else if (r.stdout_path.empty()) {
    std::istringstream all(fields_of(ran.out, fields));
    std::string kept;
    for (auto [line, n] = std::pair{std::string(), 1}; std::getline(all, line); ++n)
      if (n >= first_line && n <= last_line) kept += line + "\n";
    EXPECT_EQ(kept, out);
  }
  for (std::size_t at; (at = err.find("{pid}")) != std::string::npos;)
    err.replace(at, 5, std::to_string(ran.pid));
  EXPECT_EQ(ran.err, err);
  for (const auto& [name, bytes] : contents) EXPECT_EQ(testing::read_bytes(dir / name), bytes) << name;
#ifdef QUORLEN_PRINT
  if (!pdf.empty()) {
    if (!pages.empty()) {
      EXPECT_EQ(testing::pdf_transcript(dir / pdf, per_page), pages);
    }
    const std::string said = testing::output_of("pdfinfo '" + (dir / pdf).string() + "'");
    EXPECT_NE(said.find(info), std::string::npos) << said;
  }
#endif
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

// As a user limited to a few processes and threads (ulimit -u), -j 64 works
// on those that could start; with none but the feeding one, it fails.
TEST(Batch, FewerThreadsDoTheWorkWhereNoMoreCanStart) {
  const passwd* user = ::getpwnam("quorlen-test");
  if (::geteuid() != 0 || user == nullptr)
    GTEST_SKIP() << "needs root, and the user quorlen-test to limit (CI makes it)";
  for (const auto& process : fs::directory_iterator("/proc")) {  // the limit would count them
    struct stat info {};
    if (std::isdigit(process.path().filename().string()[0]) && ::stat(process.path().c_str(), &info) == 0 &&
        info.st_uid == user->pw_uid)
      GTEST_SKIP() << "quorlen-test runs other processes";
  }
  // Copies that the other user can reach wherever the build and data are.
  testing::ScratchDir dir;
  fs::permissions(dir.path, fs::perms(0755));
  for (const fs::path from : {QUORLEN_SOLVE, QUORLEN_GENERATE, QUORLEN_TEST_DATA_DIR "/top95.txt"})
    fs::copy_file(from, dir.path / from.filename());
  const std::string busy = "Resource temporarily unavailable";
  using Args = std::vector<std::string>;
  for (const auto& [built, args, doing] :
       {std::tuple{QUORLEN_SOLVE, Args{"top95.txt"}, "solving"},
        std::tuple{QUORLEN_GENERATE, Args{"--seed=1", "40"}, "generating"}}) {
    const std::string name = fs::path(built).filename();
    const std::string program = dir / name;
    const std::string fewer =
        name + ": 1 of 64 " + doing + " threads could start (" + busy + "); " + doing + " on those\n";
    const std::string none = name + ": cannot start a thread: " + busy + "\n";
    Command command{args};
    command.program = program;
    command.args.insert(command.args.end(), {"-j", "1"});
    const std::string lines = fields_of(run(dir.path, command).out, {1, 2, 3});
    command.args.back() = "64";
    command.user = user;
    for (const auto& [nproc, status, err] : {std::tuple{3, 0, fewer}, {2, 1, none}, {1, 1, none}}) {
      command.nproc = static_cast<rlim_t>(nproc);
      const Ran ran = run(dir.path, command);
      EXPECT_EQ(ran.status, status) << name << " " << nproc;
      EXPECT_EQ(ran.err, err);
      EXPECT_EQ(fields_of(ran.out, {1, 2, 3}), status == 0 ? lines : "");
    }
  }
}

// Two collections of hard puzzles (one where the build is not optimised),
// and every sample puzzle file, on one thread and on two: the same lines but for the times; and top95
// explained.
TEST(Batch, TwoThreadsGiveTheLinesOfOne) {
  testing::ScratchDir dir;
  std::vector<std::string> inputs{QUORLEN_TEST_DATA_DIR "/top95.txt"};
#ifdef __OPTIMIZE__  // the 1465 hard puzzles take over a minute where the sanitizers or coverage run
  inputs.push_back(QUORLEN_TEST_DATA_DIR "/top1465.txt");
#endif
  for (const auto& entry : fs::directory_iterator(QUORLEN_EXAMPLES_DIR)) {
    if (entry.path().extension() == ".sud") inputs.push_back(entry.path().string());
  }
  for (const std::string& input : inputs) {
    SCOPED_TRACE(input);
    const Ran one = run(dir.path, {{"--count", "-j", "1", input}});
    const Ran two = run(dir.path, {{"--count", "-j", "2", input}});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(two.status, 0);
    EXPECT_NE(one.out, "");
    EXPECT_EQ(fields_of(two.out, {}), fields_of(one.out, {}));
  }
  // --explain has no times: the same bytes.
  const Ran one = run(dir.path, {{"--explain", "-j", "1", inputs[0]}});
  EXPECT_TRUE(run(dir.path, {{"--explain", "-j", "2", inputs[0]}}).out == one.out);
  // Nor have the person's solver's modes (on easy50, whose ratings are
  // quick where the sanitizers run, and the sample files).
  inputs[0] = QUORLEN_TEST_DATA_DIR "/easy50.txt";
#ifdef __OPTIMIZE__
  inputs.erase(inputs.begin() + 1);
#endif
  for (const std::string mode : {"--rate", "--techniques"}) {
    std::vector<std::string> args{mode, "-j", "1"};
    args.insert(args.end(), inputs.begin(), inputs.end());
    const Ran single = run(dir.path, {args});
    args[2] = "2";
    EXPECT_EQ(single.status, 0);
    EXPECT_GT(std::count(single.out.begin(), single.out.end(), '\n'), 50) << mode;
    EXPECT_TRUE(run(dir.path, {args}).out == single.out) << mode;
  }
}

}  // namespace
}  // namespace quorlen
