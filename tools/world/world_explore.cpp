// vaultrun-world explore: starts vaultrun-explore, the windowed walk through a dungeon, from the
// folder this program lies in. The other subcommands run on the headless backend; the walk needs
// the native one, so it is a program of its own.
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "tools/world/world_commands.h"

const char* WorldProgramPath = "vaultrun-world";

namespace {

std::string SiblingProgram(const char* name) {
  std::string path = WorldProgramPath;
  size_t slash = path.find_last_of("/\\");
  std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
#ifdef _WIN32
  return folder + "\\" + name + ".exe";
#else
  return folder + "/" + name;
#endif
}

}  // namespace

int WorldExplore(int argc, char** argv) {
  std::string program = SiblingProgram("vaultrun-explore");
  std::vector<char*> arguments;
  arguments.push_back(const_cast<char*>(program.c_str()));
  for (int i = 0; i < argc; ++i) arguments.push_back(argv[i]);
  arguments.push_back(nullptr);
  std::fflush(nullptr);
#ifdef _WIN32
  intptr_t status = _spawnv(_P_WAIT, program.c_str(), arguments.data());
  if (status >= 0) return static_cast<int>(status);
#else
  execv(program.c_str(), arguments.data());
#endif
  std::fprintf(stderr,
               "vaultrun-world: cannot start %s (the explore program is built with the "
               "window backend; is it beside vaultrun-world?)\n",
               program.c_str());
  return 1;
}
