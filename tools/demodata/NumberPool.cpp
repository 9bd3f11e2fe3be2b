#include "tools/demodata/NumberPool.h"

int NumberPool::Take(const std::function<bool(int)>& refused) {
    int candidate = previous_;
    for (int tries = 0; tries < last_; ++tries) {
        candidate = candidate % last_ + 1;
        if (!refused(candidate)) {
            previous_ = candidate;
            return candidate;
        }
    }
    return 0;
}
