#include "settings/RegTree.h"

#include "settings/IgnoringCase.h"

#include <cstring>

std::string SettingsRootPath() {
    return std::string("HKEY_CURRENT_USER\\") + SettingsKeyPath;
}

RegValue* RegSection::Find(const std::string& name) {
    for (RegValue& value : values)
        if (SameIgnoringCase(value.name, name))
            return &value;
    return nullptr;
}

void RegSection::Set(const std::string& name, uint32_t type, std::vector<uint8_t> data) {
    if (RegValue* value = Find(name)) {
        value->type = type;
        value->data = std::move(data);
    } else {
        values.push_back(RegValue{name, type, std::move(data)});
    }
}

RegSection* RegTree::Find(const std::string& path) {
    for (RegSection& section : m_aSections)
        if (SameIgnoringCase(section.path, path))
            return &section;
    return nullptr;
}

RegSection& RegTree::Create(const std::string& path) {
    if (RegSection* section = Find(path))
        return *section;
    m_aSections.push_back(RegSection{path, {}});
    return m_aSections.back();
}

bool RegTree::Exists(const std::string& path) const {
    std::string prefix = path + "\\";
    for (const RegSection& section : m_aSections) {
        if (SameIgnoringCase(section.path, path))
            return true;
        if (section.path.size() > prefix.size() &&
            SameIgnoringCase(section.path.substr(0, prefix.size()), prefix))
            return true;
    }
    return false;
}

std::unique_ptr<RegKey> RegTreeKey::OpenSubKey(const std::string& name) {
    std::string path = m_strPath + "\\" + name;
    if (name.empty() || !m_tree.Exists(path))
        return nullptr;
    return std::make_unique<RegTreeKey>(m_tree, path);
}

std::unique_ptr<RegKey> RegTreeKey::CreateSubKey(const std::string& name) {
    if (name.empty())
        return nullptr;
    std::string path = m_strPath + "\\" + name;
    m_tree.Create(path);
    return std::make_unique<RegTreeKey>(m_tree, path);
}

bool RegTreeKey::QueryValue(const std::string& name, uint32_t* type, uint8_t* data,
                            uint32_t* size) {
    RegSection* section = m_tree.Find(m_strPath);
    RegValue* value = section ? section->Find(name) : nullptr;
    if (!value)
        return false;
    uint32_t needed = static_cast<uint32_t>(value->data.size());
    if (type)
        *type = value->type;
    if (!data) {
        if (size)
            *size = needed;
        return true;
    }
    if (!size || *size < needed) {
        if (size)
            *size = needed;
        return false;
    }
    if (needed)
        std::memcpy(data, value->data.data(), needed);
    *size = needed;
    return true;
}

bool RegTreeKey::SetValue(const std::string& name, uint32_t type, const uint8_t* data,
                          uint32_t size) {
    m_tree.Create(m_strPath).Set(name, type, std::vector<uint8_t>(data, data + size));
    return true;
}

std::unique_ptr<RegKey> MemoryRegStore::CreateRootKey() {
    Root();
    return std::make_unique<RegTreeKey>(m_tree, SettingsRootPath());
}

RegSection& MemoryRegStore::Root() {
    return m_tree.Create(SettingsRootPath());
}
