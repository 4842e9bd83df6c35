// Any bytes as an INI file, with a section, key and value taken from the
// input: lookups never fail, and setting a key is exact (the key then reads
// back, nothing else changes, and setting it again changes nothing).
#include "platform/core/Path.h"
#include "platform/core/Profile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string ReadBack(std::string_view value) {
    value = Trim(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string section = in.ConsumeRandomLengthString(16);
    const std::string key = in.ConsumeRandomLengthString(16);
    const std::string otherKey = in.ConsumeRandomLengthString(16);
    const std::string value = in.ConsumeRandomLengthString(32);
    const std::string text = in.ConsumeRemainingBytesAsString();

    const auto before = qx::ProfileLookup(text, section, otherKey);
    const auto otherSection = qx::ProfileLookup(text, "Global", key);
    const auto replaced = qx::ProfileReplace(text, section, key, value);
    if (!replaced)
        return 0;
    if (qx::ProfileLookup(*replaced, section, key) != ReadBack(value))
        __builtin_trap();
    if (!qx::EqualsIgnoreCase(key, otherKey) && qx::ProfileLookup(*replaced, section, otherKey) != before)
        __builtin_trap();
    if (!qx::EqualsIgnoreCase(section, "Global") && qx::ProfileLookup(*replaced, "Global", key) != otherSection)
        __builtin_trap();
    if (qx::ProfileReplace(*replaced, section, key, value) != replaced)
        __builtin_trap();
    return 0;
}
