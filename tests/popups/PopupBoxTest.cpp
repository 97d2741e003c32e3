// SPDX-License-Identifier: GPL-3.0-or-later
// The popup base and the warning popup: how a run ends, the window's size, skins
// without the expected items, and the heading texts.
#include "PopupTestSupport.h"

#include <QLabel>
#include <QPushButton>

#include "controls/BitmapBtn.h"
#include "controls/TextItem.h"
#include "popups/TovikEliteNameEntryPopup.h"
#include "popups/TovikEliteWarningDlg.h"
#include "skin/ItemIds.h"

using namespace popuptest;

namespace {

using WarningTest = PopupTest;

QWidget* ItemWindow(CPopupBox& popup, int id)
{
    CGUIItem* item = popup.Items().FindById(id);
    return item ? item->window : nullptr;
}

TEST_F(WarningTest, OkAndCancelButtonsEndTheRunWithOneAndTwo)
{
    CTovikEliteWarningDlg confirm(u"Warning.xml", nullptr);
    EXPECT_EQ(Run<CTovikEliteWarningDlg>(confirm, [](auto& p) { Click(ItemWindow(p, ItemId::BUTTON_POPUP_OK)); }),
              IDOK);
    EXPECT_EQ(LastRunResult(), IDOK);
    EXPECT_EQ(ModalScript::Records().back().name, "Warning.xml");

    CTovikEliteWarningDlg refuse(u"Warning.xml", nullptr);
    EXPECT_EQ(Run<CTovikEliteWarningDlg>(refuse, [](auto& p) { Click(ItemWindow(p, ItemId::BUTTON_POPUP_CANCEL)); }),
              IDCANCEL);
    EXPECT_EQ(LastRunResult(), IDCANCEL);
}

TEST_F(WarningTest, EscapeCancelsAndReturnConfirms)
{
    CTovikEliteWarningDlg escape(u"Warning.xml", nullptr);
    Run<CTovikEliteWarningDlg>(escape, [](auto& p) { PressKey(p, {0x01, false, false}, Qt::Key_Escape); });
    EXPECT_EQ(LastRunResult(), IDCANCEL);

    CTovikEliteWarningDlg enter(u"Warning.xml", nullptr);
    Run<CTovikEliteWarningDlg>(enter, [](auto& p) { PressKey(p, {0x1C, false, false}, Qt::Key_Return); });
    EXPECT_EQ(LastRunResult(), IDOK);
}

TEST_F(WarningTest, ExtraTextFollowsTheHeadingAndAMessageReplacesIt)
{
    CTovikEliteWarningDlg withName(u"Warning.xml", nullptr, u": Profile 3");
    QString heading;
    Run<CTovikEliteWarningDlg>(withName, [&heading](auto& p) {
        ASSERT_NE(p.Heading(), nullptr);
        heading = p.Heading()->GetText();
        skintest::SaveScreenshot(p, QStringLiteral("popup_warning"));
    });
    EXPECT_EQ(heading, QStringLiteral("Delete profile: Profile 3"));

    // A message wins over the skin's words and the extra text alike.
    CTovikEliteWarningDlg withMessage(u"Warning.xml", nullptr, u"ignored");
    withMessage.SetMessage(u"Restore Defaults : Profile 1");
    Run<CTovikEliteWarningDlg>(withMessage, [&heading](auto& p) { heading = p.Heading()->GetText(); });
    EXPECT_EQ(heading, QStringLiteral("Restore Defaults : Profile 1"));
}

using PopupBoxTest = PopupTest;

TEST_F(PopupBoxTest, TheWindowTakesTheBackgroundsSizeOrElseItsTemplates)
{
    CTovikEliteWarningDlg pictured(u"Warning.xml", nullptr);
    QSize size;
    Run<CTovikEliteWarningDlg>(pictured, [&size](auto& p) { size = p.size(); });
    EXPECT_EQ(size, QSize(240, 160));

    // Dialog units of the 8-point dialog font: 316 x 185 units.
    EXPECT_EQ(CPopupBox::TemplatePixelSize(PopupTemplate::Warning), QSize(474, 301));
    EXPECT_EQ(CPopupBox::TemplatePixelSize(PopupTemplate::Entry), QSize(476, 297));
    EXPECT_FALSE(CPopupBox::TemplatePixelSize(7).has_value());
    CTovikEliteWarningDlg bare(u"NoBackground.xml", nullptr, {}, PopupTemplate::Entry);
    Run<CTovikEliteWarningDlg>(bare, [&size](auto& p) {
        size = p.size();
        skintest::SaveScreenshot(p, QStringLiteral("popup_no_background"));
    });
    EXPECT_EQ(size, QSize(476, 297));
}

// A question whose skin is missing or broken is still asked: a plain window of
// the template's size with the text, OK and Cancel, whose answers count.
TEST_F(PopupBoxTest, AQuestionWithoutItsSkinIsAskedInAPlainWindow)
{
    app.WriteXml("BrokenPopup.xml", "<ITEMLIST><BUTTONLIST><BUTTON name=");
    const struct {
        const char* skin;
        const char* button;
        int expected;
    } cases[] = {
        {"ConfirmDeletePopup.xml", "fallbackOk", IDOK},
        {"ConfirmDeletePopup.xml", "fallbackCancel", IDCANCEL},
        {"BrokenPopup.xml", "fallbackOk", IDOK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.skin) + " " + c.button);
        CTovikEliteWarningDlg question(QString::fromUtf8(c.skin).toStdU16String(), nullptr, u": Profile 3");
        QString shown;
        QSize size;
        const int result = Run<CTovikEliteWarningDlg>(question, [&](auto& p) {
            for (const QLabel* label : p.template findChildren<QLabel*>())
                shown += label->text();
            size = p.size();
            skintest::SaveScreenshot(p, QStringLiteral("popup_plain_fallback"));
            Click(p.template findChild<QPushButton*>(QString::fromUtf8(c.button)));
        });
        EXPECT_EQ(result, c.expected);
        EXPECT_TRUE(question.IsPlainFallback());
        EXPECT_EQ(size, CPopupBox::TemplatePixelSize(PopupTemplate::Warning));
        EXPECT_TRUE(shown.contains(QStringLiteral(": Profile 3"))) << shown.toStdString();
    }
    CTovikEliteWarningDlg named(u"ConfirmDeletePopup.xml", nullptr);
    QString shown;
    Run<CTovikEliteWarningDlg>(named, [&](auto& p) {
        shown = p.template findChild<QLabel*>()->text();
        Click(p.template findChild<QPushButton*>(QStringLiteral("fallbackCancel")));
    });
    EXPECT_EQ(shown, QStringLiteral("Confirm Delete"));
}

// A popup answered in its skin's fields cannot be answered without them: it
// counts as cancelled, which changes nothing. No popup runs twice.
TEST_F(PopupBoxTest, AnEntryWithoutItsSkinOrARepeatedRunAnswersCancelWithoutShowing)
{
    std::u16string name = u"Kept";
    CTovikEliteNameEntryPopup entry(u"NoSuchPopup.xml", nullptr, name);
    EXPECT_EQ(entry.DoModal(), IDCANCEL);
    EXPECT_EQ(name, u"Kept");
    EXPECT_FALSE(entry.IsPlainFallback());
    EXPECT_TRUE(ModalScript::Records().empty());

    CTovikEliteWarningDlg once(u"Warning.xml", nullptr);
    Run<CTovikEliteWarningDlg>(once, [](auto& p) { Click(ItemWindow(p, ItemId::BUTTON_POPUP_OK)); });
    EXPECT_EQ(once.DoModal(), IDCANCEL);
    EXPECT_EQ(ModalScript::Records().size(), 1u);
}

TEST_F(PopupBoxTest, ItemsOfTheWrongKindStayUnboundAndThePopupStillRuns)
{
    std::u16string name = u"kept";
    CTovikEliteNameEntryPopup entry(u"WrongKinds.xml", nullptr, name);
    const int result = Run<CTovikEliteNameEntryPopup>(entry, [](auto& p) {
        EXPECT_EQ(p.NameField(), nullptr);
        // A text item named like the OK button is no OK button.
        auto* fakeOk = dynamic_cast<CTextItem*>(p.Items().FindById(ItemId::BUTTON_POPUP_OK));
        ASSERT_NE(fakeOk, nullptr);
        Click(fakeOk);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(LastRunResult(), kScriptEnded);
    EXPECT_EQ(name, u"kept");
}

} // namespace
