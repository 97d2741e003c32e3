// SPDX-License-Identifier: GPL-3.0-or-later
#include "SkinDataSupport.h"

#include <cstdlib>

#include "controls/ControlFactories.h"
#include "skin/AppPaths.h"
#include "skin/GUIItems.h"
#include "skin/LangTable.h"
#include "skin/SkinLoader.h"

namespace skindata {

namespace {

QString FromEnvironment(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    QString path = QString::fromLocal8Bit(value && *value ? value : fallback);
    if (!path.endsWith('/'))
        path += '/';
    return path;
}

} // namespace

QString AppDir()
{
    return FromEnvironment("ZT_APP_DIR", ZT_DATA_APP_DIR);
}

QString SourceDir()
{
    return FromEnvironment("ZT_SOURCE_DIR", ZT_DATA_SOURCE_DIR);
}

QString ScreenshotDir()
{
    return QString::fromLocal8Bit(ZT_DATA_SCREENSHOT_DIR) + '/';
}

void PrepareSkinEnvironment()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    SetAppDirectory(AppDir().toStdU16String());
    RegisterAllControls();
    ResetLanguages();
    SetLanguageFilter(-1);
    // Language tables live as long as the collection that loaded them: all run long.
    static CGUIItems languages;
    LoadSkinFile(languages, u"Language.xml", nullptr, false);
    SelectLanguage("English");
}

void SelectLanguage(const char* name)
{
    SelectCurrentLanguage(QString::fromLatin1(name).toStdU16String());
}

const std::vector<SkinFile>& WindowSkinFiles()
{
    static const std::vector<SkinFile> files = {
        {"MainPage.xml", WindowKind::Panel},
        {"AssignButtons_MouseRefresh.xml", WindowKind::Page},
        {"AssignButtons_MouseLegacy.xml", WindowKind::Page},
        {"AdjustPerformance_MouseRefresh.xml", WindowKind::Page},
        {"AdjustPerformance_MouseLegacy.xml", WindowKind::Page},
        {"ManageProfiles.xml", WindowKind::Page},
        {"ManageMacros.xml", WindowKind::Page},
        {"LightingMaintenance.xml", WindowKind::Page},
        {"LightingMaintenance_MouseRefresh.xml", WindowKind::PageAddition},
        {"LightingMaintenance_MouseLegacy.xml", WindowKind::PageAddition},
        {"CurrentProfile.xml", WindowKind::PageAddition},
        {"ProgressPopup.xml", WindowKind::Panel},
        {"ReadingFromCorvanePopup.xml", WindowKind::Panel},
        {"NoMousePopup.xml", WindowKind::Panel},
        {"ChangeMousePopup.xml", WindowKind::Panel},
        {"WriteFailedPopup.xml", WindowKind::Panel},
        {"OpenFailedPopup.xml", WindowKind::Panel},
        {"NoClickPopup.xml", WindowKind::Panel},
        {"RestorePopup.xml", WindowKind::Panel},
        {"SingleKeyPopup.xml", WindowKind::Panel},
        {"EditSingleKeyPopup.xml", WindowKind::Panel},
        {"SelectMacroPopup.xml", WindowKind::Panel},
        {"MacroRepeatEntryPopup.xml", WindowKind::Panel},
        {"MacroRepeatWarningPopup.xml", WindowKind::Panel},
        {"TempDPIPopup.xml", WindowKind::Panel},
        {"DPIStagesPopup.xml", WindowKind::Panel},
        {"DPIStagesPopup_MouseRefresh.xml", WindowKind::Panel},
        {"SensorCalibration_Popup.xml", WindowKind::Panel},
        {"PreviewPopup.xml", WindowKind::Panel},
        {"PreviewPopup_MouseLegacy.xml", WindowKind::PreviewAddition},
        {"PreviewPopup_MouseRefresh.xml", WindowKind::PreviewAddition},
        {"ProfileNamePopup.xml", WindowKind::Panel},
        {"ProfileRenamePopup.xml", WindowKind::Panel},
        {"DuplicateProfileWarningPopup.xml", WindowKind::Panel},
        {"ProfileLimitReachedPopup.xml", WindowKind::Panel},
        {"ImporttProfileWarningPopup.xml", WindowKind::Panel},
        {"ExportProfileWarningPopup.xml", WindowKind::Panel},
        {"DisallowDeletePopup.xml", WindowKind::Panel},
        {"ConfirmDeletePopup.xml", WindowKind::Panel},
        {"SelectApplicationWarningPopup.xml", WindowKind::Panel},
        {"ProfileFileWarningPopup.xml", WindowKind::Panel},
        {"ProgramPathWarningPopup.xml", WindowKind::Panel},
        {"MacroNamePopup.xml", WindowKind::Panel},
        {"MacroRenamePopup.xml", WindowKind::Panel},
        {"DuplicateMacroWarningPopup.xml", WindowKind::Panel},
        {"ConfirmDeleteMacroPopup.xml", WindowKind::Panel},
        {"ExportMacroWarningPopup.xml", WindowKind::Panel},
        {"DefaultDelayWarningPopup.xml", WindowKind::Panel},
    };
    return files;
}

const std::vector<LanguageFile>& LanguageFiles()
{
    static const std::vector<LanguageFile> languages = {
        {"English", "English.txt"},
        {"ChineseSimplified", "ChineseSimplified.txt"},
        {"ChineseTraditional", "ChineseTraditional.txt"},
        {"French", "French.txt"},
        {"FrenchCanadian", "FrenchCanadian.txt"},
        {"German", "German.txt"},
        {"Korean", "Korean.txt"},
        {"Russian", "Russian.txt"},
        {"Japanese", "Japanese.txt"},
        {"Spanish", "Spanish.txt"},
    };
    return languages;
}

} // namespace skindata
