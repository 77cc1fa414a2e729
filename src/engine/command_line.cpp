#include "engine/command_line.h"

#include <cstdio>

#ifndef GAME_VERSION
#define GAME_VERSION "0"
#endif

std::string HelpText() {
  return "Usage: plonko-elongo [OPTION]\n"
         "Plonko Elongo, a puzzle game: bring the walking Plonkos to the holes by\n"
         "tickling them round and dropping hats on them.\n"
         "\n"
         "  -h, --help       show this help and exit\n"
         "  -v, --version    show the version and exit\n"
         "  --replay FILE    play a level's solution (a .solution file, such as soft_3.solution)\n"
         "                   in the window, print how it ended and exit, leaving the settings\n"
         "                   and scores as they were; exit code 0 won, 1 not won, 2 a missing\n"
         "                   or damaged file\n"
         "                   (lines by frame: move X Y, press, release, key NAME down|up)\n"
         "\n"
         "Keys: the mouse plays (click a Plonko to turn it, drag a hat onto it);\n"
         "  R        restart the level\n"
         "  Space    held in a level: fast-forward (8x)\n"
         "  Backspace, Ctrl+Z  take back the last action\n"
         "  Escape   pause menu (on the title: quit)\n"
         "  Tab      settings\n"
         "  F1       help\n"
         "  F11      screenshot\n"
         "  F12      overlay\n"
         "\n"
         "Everything else is set in the game (Tab) and kept in Setup.ini. An installed copy\n"
         "keeps the player's settings, scores, log and screenshots in\n"
         "$XDG_DATA_HOME/plonko-elongo/Files/ (~/.local/share/plonko-elongo/Files/).\n";
}

std::string VersionText() { return std::string("plonko-elongo ") + GAME_VERSION + "\n"; }

bool ReplayOption(int argc, const char* const* argv, std::string& file) {
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) != "--replay") continue;
    file = i + 1 < argc ? argv[i + 1] : "";
    return true;
  }
  return false;
}

int AnswerCommandLine(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool help = arg == "--help" || arg == "-h", version = arg == "--version" || arg == "-v";
    if (!help && !version) continue;
    const std::string text = help ? HelpText() : VersionText();
    std::fputs(text.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  return -1;
}
