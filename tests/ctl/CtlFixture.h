// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// zemko-tovik-ctl run as a separate process against the emulator in a temporary
// device directory, with a second reader (the device layer in this process) to
// see what arrived.
#include "device/MousePicker.h"
#include "platform/com/ComRuntime.h"
#include "settings/IMouseProfile.h"
#include "settings/TovikEliteConfig.h"
#include "support/EmulatedDeviceTest.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>

#ifndef ZT_CTL_TOOL
#error "ZT_CTL_TOOL must name the built zemko-tovik-ctl"
#endif

struct CtlResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class CtlTest : public EmulatedDeviceTest {
protected:
    void SetUp() override
    {
        EmulatedDeviceTest::SetUp();
        Plug(0x0031);
    }

    // Runs the program with `arguments` (already quoted for the shell).
    CtlResult Ctl(const std::string& arguments)
    {
        const std::string errFile = (temp_ / "stderr.txt").string();
        const std::string command = std::string("'") + ZT_CTL_TOOL + "' " + arguments + " 2>'" + errFile + "'";
        CtlResult result;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return result;
        std::array<char, 4096> buffer;
        size_t n;
        while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            result.out.append(buffer.data(), n);
        const int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.err = ReadFile(errFile);
        return result;
    }

    static std::string ReadFile(const std::filesystem::path& path)
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    static void WriteFile(const std::filesystem::path& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }

    // The device's memory file, byte for byte: a refused command leaves it alone.
    std::string MemoryBytes(uint32_t productId = 0x0031) { return ReadFile(directory().ImagePath(productId)); }

    // What a program reading the device now sees (the window does the same).
    std::unique_ptr<CTovikEliteConfig> ReadBack()
    {
        CComThreadScope com;
        auto config = std::make_unique<CTovikEliteConfig>();
        CMousePicker picker;
        EXPECT_TRUE(picker.ReadAll(config.get()));
        EXPECT_TRUE(picker.Transfer(config.get(), TransferMode::Read, TransferFlags::All));
        return config;
    }

    void FactoryReset()
    {
        ChangeImage(0x0031, [](emulator::DeviceImage& image) { emulator::RestoreFactorySettings(image); });
    }
};
