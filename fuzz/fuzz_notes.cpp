// Any bytes as a note file: the text never holds a "[", a name given by the
// catalogue is kept, and a note written by the program reads back as it was.
#include "orders/Notes.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string name = in.ConsumeRandomLengthString(160);
    const std::string bytes = in.ConsumeRemainingBytesAsString();

    const qx::Note read = qx::ParseNote(bytes, "");
    if (read.text.find('[') != std::string::npos || read.name.size() > 127)
        std::abort();
    if (!name.empty() && qx::ParseNote(bytes, name).name != name)
        std::abort();

    // What the dialog stores: a name without the header's own characters,
    // a text without "[".
    if (name.size() > 127 || name.find_first_of("|[\r\n") != std::string::npos)
        return 0;
    std::string text = bytes;
    for (char& c : text) {
        if (c == '[')
            c = '(';
    }
    const qx::Note back = qx::ParseNote(qx::SerializeNote(name, text), "");
    if (back.name != name || back.text != text)
        std::abort();
    return 0;
}
