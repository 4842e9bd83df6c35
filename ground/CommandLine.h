#pragma once
// The program's command line.

#include <string>
#include <vector>

namespace qx {

struct CommandLine {
    bool help = false;
    bool version = false;
    std::string programDir;   // real path; empty: beside the binary, else the demo catalogue
    int desktopWidth = 0;     // 0: the real desktop
    int language = -1;        // -1: ask with the language dialog
    std::string configFile;   // empty: the default qxkat.ini
    std::string snapshotDir;  // write page pictures and exit
    bool checkLayout = false; // with snapshotDir: report overlapping and cut texts
    std::string printToDir;   // print jobs write PDF files there
    std::vector<std::string> passThrough; // options of the window system ("-platform x")
    std::string error;        // set when the command line is wrong
};

// Parses argv (without argv[0]). Unknown "--" options and missing or bad
// values set error. Single-dash options are left to the window system.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

const char* CommandLineUsage();

} // namespace qx
