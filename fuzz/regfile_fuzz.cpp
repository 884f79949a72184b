#include "FuzzCheck.h"
#include "settings/RegFileFormat.h"

#include <cstdint>
#include <string>

namespace {

bool SameTree(const RegTree& a, const RegTree& b) {
    if (a.m_aSections.size() != b.m_aSections.size())
        return false;
    for (size_t i = 0; i < a.m_aSections.size(); ++i) {
        const RegSection& x = a.m_aSections[i];
        const RegSection& y = b.m_aSections[i];
        if (x.path != y.path || x.values.size() != y.values.size())
            return false;
        for (size_t j = 0; j < x.values.size(); ++j)
            if (x.values[j].name != y.values[j].name || x.values[j].type != y.values[j].type ||
                x.values[j].data != y.values[j].data)
                return false;
    }
    return true;
}

} // namespace

// The reader takes either encoding (the input chooses by its byte-order mark). Whatever it
// accepts, the writer must spell so that it reads back to the same tree.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RegTree first;
    if (!ParseRegFile(std::string(reinterpret_cast<const char*>(data), size), first))
        return 0;
    std::string text = FormatRegFile(first);
    RegTree second;
    FuzzCheck(ParseRegFile(text, second), "written file parses");
    FuzzCheck(SameTree(first, second), "written file reads back to the same tree");
    return 0;
}
