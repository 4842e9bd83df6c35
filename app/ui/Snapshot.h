#pragma once
// "qxkat --snapshot DIR": walks through every page of the catalogue in each
// language and screen mode and writes one PNG per page, named
// <page>_<language>_<width>.png. For catalogue authors checking pictures and
// layouts, and for us.

#include <filesystem>
#include <string>
#include <vector>

namespace qx {

class CatalogApp;

// Returns the number of pictures written; message boxes are answered with
// their default button and logged to standard error. With layoutProblems,
// the layout of every picture is checked too (--check-layout): each text
// that overlaps another or is cut adds a line
// PAGE_LANGUAGE_WIDTH: "TEXT" overlaps "OTHER" or ...: "TEXT" is cut.
int RunSnapshots(const std::filesystem::path& programDir, const std::filesystem::path& outDir,
                 const std::filesystem::path& configFile, std::vector<std::string>* layoutProblems = nullptr);

// The walk of one start: every page kind of the started program, one picture
// each into outDir. Returns the number of pictures written.
int WalkEveryPage(CatalogApp& app, const std::filesystem::path& outDir, int language, int width,
                  std::vector<std::string>* layoutProblems = nullptr);

} // namespace qx
