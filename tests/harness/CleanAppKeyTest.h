#pragma once
#include <windows.h>

#include <gtest/gtest.h>
#include <string>

#include "app/CAppReg.h"

namespace testing_support {

// The application key below HKEY_CURRENT_USER.
inline std::wstring AppKeyPath()
{
    return L"Software\\" + GetRegistryName();
}

// A fixture whose tests start and end without the application key, so each
// sees an empty settings store and leaves nothing behind.
class CleanAppKeyTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, AppKeyPath().c_str()); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, AppKeyPath().c_str()); }
};

} // namespace testing_support
