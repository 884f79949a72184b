#pragma once

#include "settings/RegistryValues.h"

// A number or flag a class keeps under a fixed value name, with what a missing value reads as.
// A class lists its values in one table in stored order, so each name and default is written once.
template <class Owner> class StoredValue {
public:
    constexpr StoredValue(const char* name, int Owner::*number, int defaultValue)
        : m_pszName(name), m_pNumber(number), m_nDefault(defaultValue) {}
    constexpr StoredValue(const char* name, bool Owner::*flag, bool defaultValue)
        : m_pszName(name), m_pFlag(flag), m_nDefault(defaultValue ? 1 : 0) {}

    void Reset(Owner& owner) const {
        if (m_pFlag)
            owner.*m_pFlag = m_nDefault != 0;
        else
            owner.*m_pNumber = m_nDefault;
    }
    void Read(RegKey& key, Owner& owner) const {
        if (m_pFlag)
            owner.*m_pFlag = ReadRegBool(key, m_pszName, m_nDefault != 0);
        else
            owner.*m_pNumber = ReadRegInt(key, m_pszName, m_nDefault);
    }
    void Write(RegKey& key, const Owner& owner) const {
        if (m_pFlag)
            WriteRegBool(key, m_pszName, owner.*m_pFlag);
        else
            WriteRegInt(key, m_pszName, owner.*m_pNumber);
    }

private:
    const char* m_pszName;
    int Owner::*m_pNumber = nullptr;
    bool Owner::*m_pFlag = nullptr;
    int m_nDefault;
};
