#pragma once
// What a file held when a page last read or wrote it, to notice before a save
// that someone else (another workstation on a shared folder) has changed it
// since. The contents are hashed, so a rewrite within the same second and at
// the same size is caught where the modification time would miss it.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

class FileStamp {
public:
    // A file that is not there (or could not be read).
    FileStamp() = default;
    // A file that holds these bytes.
    static FileStamp Of(std::string_view bytes);
    // Of what a read gave: the bytes, or nothing for a missing file.
    static FileStamp OfRead(const std::optional<std::string>& bytes);
    // The file as it is on disk now, read in pieces rather than held whole.
    static FileStamp Read(const std::filesystem::path& path);

    // The stamp of bytes given in pieces, the same as Of() of them all.
    class Hasher {
    public:
        void Add(std::string_view bytes);
        FileStamp Finish() const;

    private:
        void Block(const char* p);
        std::uint64_t lanes_[4] = {14695981039346656037ull, 1099511628211ull, 0x2545F4914F6CDD1Dull,
                                   0x9E3779B97F4A7C15ull};
        char carry_[32] = {};
        std::size_t carried_ = 0;
        std::uint64_t size_ = 0;
    };

    bool Exists() const { return exists_; }
    bool operator==(const FileStamp&) const = default;

private:
    bool exists_ = false;
    std::uint64_t size_ = 0;
    std::uint64_t hash_ = 0;
};

} // namespace qx
