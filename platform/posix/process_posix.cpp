// Starting a game on POSIX. The program and the working folder are paths in the
// launcher's form, resolved without regard to letter case as every other path of this
// backend; the program is started with posix_spawn, directly or through the runner's
// words, in its working folder, and waited for. The folder change is one of the spawn's
// own actions, so the launcher's current folder is never touched here.
#include "platform/process.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_system.h"
#include "platform/posix/interruption_posix.h"
#include "platform/posix/path_resolver_posix.h"

namespace vantrel::platform {
namespace {

// Owns the spawn's list of actions.
class SpawnActions {
 public:
  SpawnActions() { valid_ = posix_spawn_file_actions_init(&actions_) == 0; }
  ~SpawnActions() {
    if (valid_) posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;

  bool valid() const { return valid_; }
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
  bool valid_ = false;
};

// A program path the child can find after it has changed into its working folder: a
// relative path is taken from the launcher's current folder, as Windows takes it.
std::string Absolute(std::string nativePath) {
  if (!nativePath.empty() && nativePath.front() == '/') return nativePath;
  std::string current = NativeFileSystem().CurrentFolder();
  if (current.empty()) return nativePath;
  if (current.back() != '/') current += '/';
  return current + nativePath;
}

int WaitForEnd(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

std::optional<int> RunAndWait(const GameProcess& process) {
  posix::PathResolver resolver;
  const std::optional<std::string> program = resolver.Resolve(process.program);
  struct stat status;
  // Checked here because a runner would start even for a missing program and report
  // the failure only as its exit code.
  if (!program || stat(program->c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
    return std::nullopt;
  }

  SpawnActions actions;
  if (!actions.valid()) return std::nullopt;
  std::optional<std::string> folder;
  if (!process.workingFolder.empty()) {
    folder = resolver.Resolve(process.workingFolder);
    if (!folder || posix_spawn_file_actions_addchdir_np(actions.get(), folder->c_str()) != 0) {
      return std::nullopt;
    }
  }

  std::vector<std::string> words = RunnerWords(GameRunner());
  const bool throughRunner = !words.empty();
  words.push_back(Absolute(*program));
  words.insert(words.end(), process.arguments.begin(), process.arguments.end());
  std::vector<char*> argv;
  argv.reserve(words.size() + 1);
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  // A runner is a command looked up on PATH ("wine"); a game is started by its path.
  pid_t child = 0;
  const auto spawn = throughRunner ? posix_spawnp : posix_spawn;
  if (spawn(&child, argv[0], actions.get(), nullptr, argv.data(), environ) != 0) {
    return std::nullopt;
  }
  // A signal caught meanwhile (platform/interruption.h) asks the game to end, so that
  // the launcher can put the player's files back once it has.
  // The game is forgotten before it is reaped, so that its number, free again, is never
  // sent a signal meant for it.
  posix::SetWaitedForGame(child);
  siginfo_t ended{};
  while (waitid(P_PID, static_cast<id_t>(child), &ended, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
  }
  posix::SetWaitedForGame(0);
  return WaitForEnd(child);
}

}  // namespace vantrel::platform
