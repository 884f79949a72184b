#include "settings/AtomicFileWrite.h"

#include <atomic>

std::string TemporaryFileName(const std::string& path, unsigned long processId) {
    static std::atomic<unsigned> s_nNext{0};
    return path + ".new-" + std::to_string(processId) + "-" + std::to_string(s_nNext++);
}
