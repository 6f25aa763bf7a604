// libFuzzer target for the stored icon list and the .ico checks: any bytes
// must give a list, an empty slot or an Error, never a read past the buffer;
// whatever reads must write back to the same list.
#include "framework/Error.h"
#include "tray/IconListStream.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    // The bytes as a whole .ico file, as an entry would be checked.
    if (auto images = ParseIcoFile(bytes)) {
        const TIcoImage& small = PickIcoImage(*images, 16);
        if (small.offset + small.size > size) std::abort();
    }
    try {
        const auto list = ReadIconListStream(bytes);
        for (const TIcoBytes& entry : list)
            if (auto images = ParseIcoFile(entry)) PickIcoImage(*images, 32);
        if (ReadIconListStream(WriteIconListStream(list)) != list) std::abort();
    } catch (const Error&) {
        // a damaged stream: the expected answer
    }
    return 0;
}
