// libFuzzer target: the toolbar layout file's reader on arbitrary bytes.
// It must refuse or accept without crashing, and what it accepts must be
// within its own limits.

#include "layoutfile/LayoutReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

int Depth(const QList<TBarItem>& items)
{
    int depth = 0;
    for (const TBarItem& item : items)
        depth = qMax(depth, 1 + Depth(item.Items));
    return depth;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<TManagerLayout> layout = TLayoutReader::Parse(bytes);
    if (layout) {
        for (const TBarLayout& bar : layout->Bars) {
            if (Depth(bar.Items) > TLayoutReader::MaxDepth + 1)
                std::abort();
            for (const TBarItem& item : bar.Items)
                if (item.UsageCount < 0 ||
                    (item.Kind == TBarItem::ikCommand && item.Command.isEmpty()))
                    std::abort();
        }
    }
    return 0;
}
