#include "Notes.h"

#include "platform/core/FileIo.h"
#include "platform/core/FileStamp.h"
#include "platform/core/Path.h"
#include "platform/core/Profile.h"

namespace qx {

std::string NotesDirectory(Profile& profile) {
    std::string dir = profile.GetString("Paths", "Note", "", 260);
    if (dir.empty()) {
        dir = profile.GetString("Paths", "stk", "", 260);
        if (!dir.empty())
            profile.WriteString("Paths", "Note", dir);
    }
    if (dir.empty())
        dir = "C:\\";
    if (dir.back() != '\\')
        dir += '\\';
    return dir;
}

std::string NotePath(std::string_view directory, std::string_view number) {
    std::string name(number.substr(0, 127));
    for (char& c : name) {
        if (c == '/')
            c = '_';
    }
    return std::string(directory) + name + ".NTZ";
}

Note ParseNote(std::string_view bytes, std::string_view name) {
    Note note{std::string(name), {}};
    std::string_view text = bytes.substr(0, bytes.find('['));
    if (const std::size_t bar = text.find('|'); bar != std::string_view::npos) {
        const std::size_t lineEnd = text.find('\n');
        if (note.name.empty()) {
            const std::string_view header = text.substr(0, std::min(bar, text.find('\r')));
            note.name = std::string(header.substr(0, 127));
        }
        text = lineEnd == std::string_view::npos ? std::string_view() : text.substr(lineEnd + 1);
    }
    note.text = std::string(text);
    return note;
}

std::string SerializeNote(std::string_view name, std::string_view text) {
    // A "[" in the header would end the note before its text when read.
    std::string header(name);
    for (char& c : header) {
        if (c == '[')
            c = '(';
    }
    return header + "|\r\n" + std::string(text);
}

Note LoadNote(std::string_view windowsPath, std::string_view name, FileStamp* stamp) {
    const std::optional<std::string> bytes = ReadWholeFile(ResolvePath(windowsPath));
    if (stamp)
        *stamp = FileStamp::OfRead(bytes);
    if (!bytes)
        return Note{std::string(name), {}};
    return ParseNote(*bytes, name);
}

bool SaveNote(std::string_view windowsPath, std::string_view name, std::string_view text,
              FileStamp* written) {
    const std::string bytes = SerializeNote(name, text);
    if (!WriteFileAtomic(ResolvePath(windowsPath), bytes))
        return false;
    if (written)
        *written = FileStamp::Of(bytes);
    return true;
}

} // namespace qx
