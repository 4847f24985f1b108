// A stand-in for a game executable, copied by the tests into a game folder under the
// game's executable name. It appends what it was started with to "launch.log" beside
// itself: its own path, its current folder, each argument, and $STAND_IN_MARK (which a
// runner can set), one per line. It then exits with the code written in "exit_code.txt"
// beside itself, or 0.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  if (argc < 1) return 100;
  // The launcher starts games by their full path, which is therefore argv[0] here.
  const fs::path folder = fs::path(argv[0]).parent_path();
  std::ofstream log(folder / "launch.log", std::ios::binary | std::ios::app);
  log << "program " << argv[0] << '\n';
  log << "folder " << fs::current_path().string() << '\n';
  for (int i = 1; i < argc; ++i) log << "argument " << argv[i] << '\n';
  const char* mark = std::getenv("STAND_IN_MARK");
  log << "mark " << (mark != nullptr ? mark : "") << '\n';
  log.close();
  if (!log) return 101;

  int exitCode = 0;
  std::ifstream code(folder / "exit_code.txt");
  if (code) code >> exitCode;
  return exitCode;
}
