#include "External.h"

#include "ground/GlobalState.h"
#include "platform/core/Path.h"
#include "platform/core/Ui.h"

#include <string>

namespace qx {

bool StaysInside(std::string_view path) {
    if (path.empty() || path.front() == '\\' || path.front() == '/')
        return false;
    if (path.size() >= 2 && path[1] == ':')
        return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = path.size();
        if (path.substr(start, end - start) == "..")
            return false;
        start = end + 1;
    }
    return true;
}

std::string_view ProgramNameOf(std::string_view target) {
    for (std::size_t i = 0; i + 4 <= target.size(); ++i)
        if (EqualsIgnoreCase(target.substr(i, 4), ".EXE"))
            return target.substr(0, i + 4);
    return target.substr(0, target.find(' '));
}

std::string DocumentPath(const GlobalState& state, std::string_view fileName) {
    return state.programDir.str() + "PDF\\" + state.langDir.str() + std::string(fileName);
}

std::string ProgramPath(const GlobalState& state, std::string_view target) {
    return state.programDir.str() + std::string(ProgramNameOf(target));
}

bool OpenDocument(const GlobalState& state, std::string_view fileName) {
    return StaysInside(fileName) && TheUi().ShellOpen(DocumentPath(state, fileName));
}

bool RunCatalogProgram(const GlobalState& state, std::string_view target) {
    if (!StaysInside(ProgramNameOf(target)))
        return false;
    return TheUi().RunProgram(state.programDir.str() + std::string(target));
}

} // namespace qx
