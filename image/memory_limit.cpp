#include "image/memory_limit.h"

#include <unistd.h>

#include <algorithm>

namespace ce {

std::int64_t imageMemoryLimitBytes()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    const std::int64_t physical = pages > 0 && pageSize > 0 ? std::int64_t(pages) * pageSize : 0;
    return std::max(kMinImageMemoryBytes, physical / 4);
}

}  // namespace ce
