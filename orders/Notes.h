#pragma once
// A note per article: NUMBER.NTZ (every "/" of the number made "_") in the
// notes folder, "name|" CR LF, then the note's text.

#include <string>
#include <string_view>

namespace qx {

class FileStamp;
class Profile;

// The notes folder, with its trailing backslash: Paths/Note; else Paths/stk,
// which is then written back as Note; else "C:\".
std::string NotesDirectory(Profile& profile);

// The note file of an article number in a folder.
std::string NotePath(std::string_view directory, std::string_view number);

struct Note {
    std::string name; // the designation in the header, or the one given
    std::string text;
};

// The note in a file's bytes: the text ends before the first "["; with a "|",
// the first line is the header (its name taken only when name is empty) and
// the text starts on the next line.
Note ParseNote(std::string_view bytes, std::string_view name);
// The bytes of a note file; a "[" in the name is stored as "(" (the reader
// would end the note there).
std::string SerializeNote(std::string_view name, std::string_view text);

// Reads a note; a missing file gives an empty text and the given name.
// stamp, when given, becomes what the file held.
Note LoadNote(std::string_view windowsPath, std::string_view name, FileStamp* stamp = nullptr);
// Writes it whole beside the old file and renames it over it; false when that
// failed (the old note is then as it was). On success written, when given,
// becomes the stamp of the new file.
bool SaveNote(std::string_view windowsPath, std::string_view name, std::string_view text,
              FileStamp* written = nullptr);

} // namespace qx
