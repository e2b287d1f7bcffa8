// libFuzzer target: any page the catalogue pane may save goes through the break
// conversion and the parser without a crash, a hang or undefined behaviour.
#include "service/capture.h"
#include "service/catalogue.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray page(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QByteArray converted = Capture::convertBreaks(page);
    const CatalogueStore store = Catalogue::parse(converted);
    for (int list : {1, 3}) {
        for (int k = 0; k <= 16; ++k) {
            if (const CatalogueEntry *entry = store.slot(list, k))
                (void)entry->Name.size();
        }
    }
    (void)Capture::ReplaceAll(page, QByteArrayLiteral("<B"), QByteArrayLiteral("<B<B"));
    return 0;
}
