#include "settings/ErrorReport.h"
#include "settings/RegKey.h"

#include <windows.h>

namespace {

char g_szClass[] = "eh?";

class WindowsRegKey final : public RegKey {
public:
    explicit WindowsRegKey(HKEY key) : m_hKey(key) {}
    ~WindowsRegKey() override { RegCloseKey(m_hKey); }

    std::unique_ptr<RegKey> OpenSubKey(const std::string& name) override {
        HKEY sub = nullptr;
        if (RegOpenKeyExA(m_hKey, name.c_str(), 0, KEY_ALL_ACCESS, &sub) != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<WindowsRegKey>(sub);
    }

    std::unique_ptr<RegKey> CreateSubKey(const std::string& name) override {
        return Create(m_hKey, name);
    }

    bool QueryValue(const std::string& name, uint32_t* type, uint8_t* data,
                    uint32_t* size) override {
        DWORD valueType = 0;
        DWORD valueSize = size ? *size : 0;
        LONG result = RegQueryValueExA(m_hKey, name.c_str(), nullptr, &valueType, data,
                                       size ? &valueSize : nullptr);
        if (type)
            *type = valueType;
        if (size)
            *size = valueSize;
        return result == ERROR_SUCCESS;
    }

    bool SetValue(const std::string& name, uint32_t type, const uint8_t* data,
                  uint32_t size) override {
        return RegSetValueExA(m_hKey, name.c_str(), 0, type, data, size) == ERROR_SUCCESS;
    }

    static std::unique_ptr<RegKey> Create(HKEY parent, const std::string& path) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(parent, path.c_str(), 0, g_szClass, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<WindowsRegKey>(key);
    }

private:
    HKEY m_hKey;
};

class WindowsRegStore final : public RegStore {
public:
    std::unique_ptr<RegKey> CreateRootKey() override {
        return WindowsRegKey::Create(HKEY_CURRENT_USER, SettingsKeyPath);
    }
};

} // namespace

std::unique_ptr<RegStore> CreateDefaultRegStore() {
    return std::make_unique<WindowsRegStore>();
}

void ShowSystemError(const std::string& title, const std::string& text, const std::string&) {
    MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_ICONERROR);
}
