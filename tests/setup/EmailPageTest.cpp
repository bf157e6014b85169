// The e-mail page: its four texts and option written at every change, and the test mail carrying the
// block exactly as the record holds it, saved or not.

#include "SetupTestSupport.h"

#include "res/DialogIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/EmailSetupDlg.h"
#include "setup/SetupListPopupDlg.h"
#include "setup/SetupText.h"
#include "tests/protocol/ClientRig.h"
#include "tests/support/DvrClientTestPeer.h"

using namespace setuptest;

namespace {

using ByteMap = std::map<std::size_t, int>;

class EmailPage : public FrameFixture {
protected:
    void SetUp() override {
        std::strcpy(db.email.text[0], "ops.desk@example.org");
        std::strcpy(db.email.text[1], "alarm@example.org");
        db.email.option = 1;
    }
};

TEST_F(EmailPage, EditsShowAndWriteTheirStrings) {
    Open();
    auto& page = Show<CEmailSetupDlg>(IDD_EMAIL_SETUP_DLG);
    EXPECT_EQ(Text(page.Edit(0)), "ops.desk@example.org");
    EXPECT_EQ(Text(page.Edit(1)), "alarm@example.org");
    EXPECT_EQ(TextOf(page.OptionSelector()), LoadResString(IDS_EVENTS));
    EXPECT_EQ(TextOf(page.Label(790)), LoadResString(IDS_USER) + " 1");
    EXPECT_EQ(TextOf(page.Label(794)), LoadResString(IDS_SENDER));
    EXPECT_TRUE(Changed().empty());

    Type(page.Edit(1), "x");
    EXPECT_STREQ(db.email.text[1], "alarm@example.orgx");
    EXPECT_EQ(Changed(), (ByteMap{{3640 + 17, 'x'}, {3640 + 18, 0}}));

    // Emptied: a terminator at the start, the rest of the slot as it was.
    before = db;
    page.Edit(0).SetWindowText("");
    EXPECT_EQ(Changed(), (ByteMap{{3512, 0}}));
    EXPECT_EQ(std::string(db.email.text[0] + 1, 19), "ps.desk@example.org");

    // The fourth text, which the record left unterminated, is shown whole and written bounded.
    page.Edit(3).SetWindowText(std::string(130, 'q').c_str());
    EXPECT_EQ(SlotText(db.email.text[3], 128), std::string(127, 'q').c_str());
}

TEST_F(EmailPage, TheOptionIsChosenFromItsList) {
    Open();
    auto& page = Show<CEmailSetupDlg>(IDD_EMAIL_SETUP_DLG);
    Click(page.OptionSelector());
    CSetupListPopupDlg* popup = frame->ListPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->ItemCount(), 3);
    EXPECT_EQ(popup->GetWidth(), 180);
    Click(popup->Item(2));
    EXPECT_EQ(Changed(), (ByteMap{{4024, 2}}));
    EXPECT_EQ(TextOf(page.OptionSelector()), LoadResString(IDS_EVENTS_AND_LOG));
    page.OnListResult(0, 3);
    EXPECT_EQ(db.email.option, 2);
}

TEST_F(EmailPage, AnEditTakingTheFocusClosesThePopup) {
    Open();
    auto& page = Show<CEmailSetupDlg>(IDD_EMAIL_SETUP_DLG);
    Click(page.OptionSelector());
    ASSERT_NE(frame->ListPopup(), nullptr);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(CEmailSetupDlg::IDC_EDIT + 2, EN_SETFOCUS),
                     reinterpret_cast<LPARAM>(page.Edit(2).GetSafeHwnd()));
    EXPECT_EQ(frame->ListPopup(), nullptr);
}

TEST_F(EmailPage, TheTestMailCarriesTheBlockAsTheRecordHoldsIt) {
    rig::ClientRig rig;
    OpenWith(rig.client.get());
    auto& page = Show<CEmailSetupDlg>(IDD_EMAIL_SETUP_DLG);
    page.Edit(1).SetWindowText("");
    Type(page.Edit(1), "ops@example.org");
    page.SendMessage(WM_COMMAND, MAKEWPARAM(CEmailSetupDlg::IDC_SEND_TEST_MAIL, BN_CLICKED), 0);
    const ScriptedRecorder::Received sent = rig.Next();
    ASSERT_TRUE(sent.ok);
    EXPECT_EQ(sent.id, 339u);
    EXPECT_EQ(sent.w0, 0xA980u);
    EXPECT_EQ(sent.w1, 516u);
    ASSERT_EQ(sent.payload.size(), 516u);
    EXPECT_EQ(std::memcmp(sent.payload.data(), Bytes(db) + 3512, 516), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sent.payload.data()) + 128), "ops@example.org");
    // Nothing was saved by it, and nothing is sent while the connection is not up.
    DvrClientTestPeer::Connected(*rig.client).store(0);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(CEmailSetupDlg::IDC_SEND_TEST_MAIL, BN_CLICKED), 0);
    DvrClientTestPeer::Connected(*rig.client).store(1);
    EXPECT_TRUE(rig.Quiet(300));
    host.client = nullptr;
    page.SendMessage(WM_COMMAND, MAKEWPARAM(CEmailSetupDlg::IDC_SEND_TEST_MAIL, BN_CLICKED), 0);
}

} // namespace
