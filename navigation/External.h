#pragma once
// Documents and programs that catalogue entries name: a document is opened
// with the desktop's default program, a program is started with its
// parameters. Both only below the program directory.

#include <string>
#include <string_view>

namespace qx {

struct GlobalState;

// Opens programDir + "PDF\" + langDir + fileName. False when it was refused
// (a name leading out of the folder) or could not be handed to the desktop.
bool OpenDocument(const GlobalState& state, std::string_view fileName);

// The files a document entry and a program target name, for telling the
// user which one did not open.
std::string DocumentPath(const GlobalState& state, std::string_view fileName);
std::string ProgramPath(const GlobalState& state, std::string_view target);

// Starts programDir + target, where the target may carry parameters after
// the program name. A program outside the program directory (an absolute
// name or one with ".." in its path) is refused.
bool RunCatalogProgram(const GlobalState& state, std::string_view target);

// The program part of a program target: up to and including the first
// ".EXE" (any case), so the name may hold blanks; without ".EXE", up to the
// first blank. What follows are the parameters.
std::string_view ProgramNameOf(std::string_view target);

// True when a relative backslash path stays inside its base folder.
bool StaysInside(std::string_view relativePath);

} // namespace qx
