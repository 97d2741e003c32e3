// SPDX-License-Identifier: GPL-3.0-or-later
// The picker looks for the mouse before every transfer. One call of that look
// failing must not pass for an unplug (which closes the program's window and
// drops every change not yet written); a mouse that is really gone still is.
#include "DeviceFixture.h"

#include "device/Mouse.h"
#include "device/MousePicker.h"
#include "emulator/Operations.h"

namespace {

class PickerLookupFaultTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        picker_.SetChangeCallback(
            [this](CMouse* mouse, void*) { changes_.push_back(mouse ? mouse->GetProductId() : -1); }, this);
    }

    CMousePicker picker_;
    CTovikEliteConfig config_;
    std::vector<int> changes_; // product ids reported, -1 for none
};

} // namespace

TEST_F(PickerLookupFaultTest, AFailedLookIsNotAnUnplugButAMissingMouseIs)
{
    const struct {
        const char* what;
        std::function<void()> arm;
        bool gone;
    } cases[] = {
        {"the first device cannot be fetched", [] { emulator::FaultInjection::FailNthCall(1); }, false},
        {"the first device does not say what it is", [] { emulator::FaultInjection::FailNthCall(2); }, false},
        {"the mouse is unplugged", [this] { Unplug(0x0031); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Plug(0x0031);
        Plug(0x0032);
        changes_.clear();
        ASSERT_TRUE(picker_.ReadAll(&config_));
        ASSERT_TRUE(picker_.Transfer(&config_, TransferMode::Read, TransferFlags::All));
        ASSERT_EQ(changes_, std::vector<int>{0x0031});
        config_.SetAccelerationLevel(config_.GetAccelerationLevel() == 3 ? 4 : 3);

        emulator::FaultInjection::ResetCounters();
        c.arm();
        const bool started = picker_.Transfer(&config_, TransferMode::Write, TransferFlags::All);
        emulator::FaultInjection::FailNthCall(0);
        if (c.gone) {
            // The dock is still there: the picker reads it instead and says so.
            EXPECT_FALSE(started);
            EXPECT_EQ(changes_.back(), 0x0032);
        } else {
            EXPECT_TRUE(started);
            EXPECT_EQ(changes_.size(), 1u) << "a failed look was taken for another device or none";
            EXPECT_EQ(picker_.GetProductId(), 0x0031);
            ASSERT_TRUE(Eventually([&] { return !picker_.IsBusy(); }));
            EXPECT_FALSE(config_.IsModified(CategoryId::AccelerationLevel)) << "the write did not go through";
        }
    }
}
