#include "editor/WormCounts.h"

WormCounts PushCounts(int initial, int total, bool initialHasFocus) {
    if (initial > total) {
        if (initialHasFocus)
            total = initial;
        else
            initial = total;
    }
    return {initial, total};
}
