// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The popups as the program ships them: the assembled application directory with its
// skin files and English texts, every control registered, and the modal seam strict,
// so a popup the test did not script cancels instead of waiting for a person.
#include <gtest/gtest.h>

#include <QString>
#include <cstdlib>

#include "controls/ControlFactories.h"
#include "platform/ModalService.h"
#include "skin/AppPaths.h"
#include "skin/ControlRegistry.h"
#include "skin/GUIItems.h"
#include "skin/LangTable.h"
#include "skin/ResourceCache.h"
#include "skin/SkinLoader.h"

class ShippedSkinFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* dir = std::getenv("ZT_APP_DIR");
        SetAppDirectory(QString::fromUtf8(dir ? dir : ZT_POPUPS_APP_DIR).toStdU16String());
        CResourceCache::Instance().Clear();
        ClearControlFactories();
        RegisterAllControls();
        ResetLanguages();
        ASSERT_TRUE(LoadSkinFile(languages_, u"Language.xml", nullptr, false));
        ASSERT_NE(SelectCurrentLanguage(u"English"), nullptr);
        ModalScript::Reset();
        ModalScript::SetStrict(true);
    }
    void TearDown() override
    {
        EXPECT_EQ(ModalScript::PendingAnswers(), 0u) << "a scripted popup never ran";
        ModalScript::Reset();
        ResetLanguages();
        ClearControlFactories();
        CResourceCache::Instance().Clear();
        SetAppDirectory(u"");
    }

private:
    CGUIItems languages_;
};
