// The system general page (language, date format, video standard, recorder ID) and the accounts
// page: what they show of the record and recorder, what each choice writes, and who may change what.

#include "SetupTestSupport.h"

#include "protocol/InfoBlocks.h"
#include "res/DialogIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/AccountRules.h"
#include "setup/DeinterlaceDlg.h"
#include "setup/SetupListPopupDlg.h"
#include "setup/SetupSliderPopupDlg.h"
#include "setup/SetupText.h"
#include "setup/SysGeneralDlg.h"
#include "setup/UserSetupDlg.h"
#include "setup/VideoStandardChange.h"

using namespace setuptest;

namespace {

using ByteMap = std::map<std::size_t, int>;

// ---- system general

class SysGeneralPage : public FrameFixture {
protected:
    void SetUp() override {
        db.date_format = 1;
        db.video_standard = 1;
        db.recorder_id = 42;
        db.language = 2;
        db.resolution = 1;
    }
    CSysGeneralDlg& OpenPage(bool withClient = true) {
        Open(withClient);
        return Show<CSysGeneralDlg>(IDD_SYS_GENERAL_DLG);
    }
    void GiveNames(std::vector<const char*> names) {
        SysEtcInfoEx block{};
        for (std::size_t i = 0; i < names.size(); ++i)
            std::strncpy(block.language_name[i], names[i], sizeof block.language_name[i]);
        recorder.Feed(Msg::SYS_ETC_INFO_EX, &block, sizeof block);
    }
    void GiveCodes(std::vector<BYTE> codes) {
        SysEtcInfo block{};
        std::copy(codes.begin(), codes.end(), block.language_code);
        recorder.Feed(Msg::SYS_ETC_INFO, &block, sizeof block);
    }
};

TEST_F(SysGeneralPage, SelectorsShowTheRecord) {
    GiveCodes({0, 1, 4, 2});
    auto& page = OpenPage();
    EXPECT_EQ(TextOf(page.Selector(CSysGeneralDlg::IDC_DATE_FORMAT)), LoadResString(IDS_MM_DD_YYYY));
    EXPECT_EQ(Text(page.Selector(CSysGeneralDlg::IDC_STANDARD)), "PAL");
    EXPECT_EQ(Text(page.Selector(CSysGeneralDlg::IDC_RECORDER_ID)), "42");
    EXPECT_EQ(Text(page.Selector(CSysGeneralDlg::IDC_LANGUAGE)), "German");
    EXPECT_EQ(Text(page.Selector(CSysGeneralDlg::IDC_ROW5)), "");
    EXPECT_EQ(TextOf(page.RowLabel(2)), LoadResString(IDS_VIDEO_STANDARD));
    EXPECT_EQ(Text(page.RowLabel(4)), "");
    EXPECT_TRUE(Changed().empty());
}

TEST_F(SysGeneralPage, ValuesWithoutATextShowTheirNumber) {
    db.language = 70;
    db.date_format = 3;
    db.video_standard = 2;
    db.recorder_id = 120;
    auto& page = OpenPage();
    EXPECT_EQ(Text(page.Selector(CSysGeneralDlg::IDC_LANGUAGE)), "70");
    EXPECT_EQ(Text(page.Selector(CSysGeneralDlg::IDC_DATE_FORMAT)), "3");
    EXPECT_EQ(Text(page.Selector(CSysGeneralDlg::IDC_STANDARD)), "2");
    EXPECT_EQ(Text(page.Selector(CSysGeneralDlg::IDC_RECORDER_ID)), "120");
    Click(page.Selector(CSysGeneralDlg::IDC_DATE_FORMAT));
    EXPECT_NE(frame->ListPopup(), nullptr);
}

TEST_F(SysGeneralPage, ListChoicesWriteTheirByte) {
    const struct {
        int kind, index;
        ByteMap changed;
    } cases[] = {
        {CSysGeneralDlg::kKindDateFormat, 2, {{2661, 2}}},
        {CSysGeneralDlg::kKindDateFormat, 3, {}},
        {CSysGeneralDlg::kKindId, 15, {{3, 15}}},
        {CSysGeneralDlg::kKindId, 16, {}},
        {CSysGeneralDlg::kKindId, -1, {}},
        {4, 0, {}},
        {CSysGeneralDlg::kKindIdSlider, 3, {}},
    };
    auto& page = OpenPage();
    for (const auto& c : cases) {
        before = db;
        page.OnListResult(c.kind, c.index);
        EXPECT_EQ(Changed(), c.changed) << c.kind << "/" << c.index;
    }
    EXPECT_EQ(Text(page.Selector(CSysGeneralDlg::IDC_RECORDER_ID)), "15");
    EXPECT_EQ(TextOf(page.Selector(CSysGeneralDlg::IDC_DATE_FORMAT)), LoadResString(IDS_DD_MM_YYYY));
}

TEST_F(SysGeneralPage, TheLanguageListLeavesOutEmptySlotsAndStoresTheChosenSlot) {
    GiveNames({"English", "", "german", "", "DUTCH", "Klingon"});
    db.language = 2;
    auto& page = OpenPage();
    EXPECT_EQ(TextOf(page.Selector(CSysGeneralDlg::IDC_LANGUAGE)), LoadResString(IDS_GERMAN));
    Click(page.Selector(CSysGeneralDlg::IDC_LANGUAGE));
    CSetupListPopupDlg* popup = frame->ListPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->ItemCount(), 4);
    EXPECT_EQ(popup->GetWidth(), 160);
    EXPECT_EQ(TextOf(popup->Item(2)), LoadResString(IDS_DUTCH));
    EXPECT_EQ(Text(popup->Item(3)), "Klingon");
    Click(popup->Item(2));
    EXPECT_EQ(Changed(), (ByteMap{{2660, 4}}));
    EXPECT_EQ(TextOf(page.Selector(CSysGeneralDlg::IDC_LANGUAGE)), LoadResString(IDS_DUTCH));
}

// A recorder naming 64 languages: every one is offered, in four columns, and one past the 31st is
// chosen by its slot.
TEST_F(SysGeneralPage, SixtyFourLanguagesAreAllOfferedInFourColumns) {
    std::vector<std::string> names;
    for (int i = 0; i < 64; ++i)
        names.push_back("Language-" + std::to_string(i));
    names[10].clear(); // an empty slot keeps the list's places apart from the slots
    std::vector<const char*> given;
    for (const std::string& name : names)
        given.push_back(name.c_str());
    GiveNames(given);
    auto& page = OpenPage();
    Click(page.Selector(CSysGeneralDlg::IDC_LANGUAGE));
    CSetupListPopupDlg* popup = frame->ListPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->ItemCount(), 63);
    EXPECT_TRUE(popup->IsFourColumns());
    EXPECT_EQ(popup->GetListHeight(), 16 * 21);
    EXPECT_EQ(Text(popup->Item(62)), "Language-63");
    ASSERT_TRUE(popup->Item(49).IsWindowVisible());
    EXPECT_EQ(Text(popup->Item(49)), "Language-50");
    Click(popup->Item(49));
    EXPECT_EQ(Changed(), (ByteMap{{2660, 50}}));
    EXPECT_EQ(Text(page.Selector(CSysGeneralDlg::IDC_LANGUAGE)), "Language-50");
}

TEST_F(SysGeneralPage, TheRecorderIdSelectorFollowsTheSubType) {
    const struct {
        bool client;
        int subType;
        bool list;
        bool slider;
    } cases[] = {{false, 2, false, false}, {true, 2, false, true}, {true, 0, true, false}, {true, 3, true, false}};
    for (const auto& c : cases) {
        recorder.SetSubType(c.subType);
        auto& page = OpenPage(c.client);
        Click(page.Selector(CSysGeneralDlg::IDC_RECORDER_ID));
        EXPECT_EQ(frame->ListPopup() != nullptr, c.list) << c.subType;
        EXPECT_EQ(frame->SliderPopup() != nullptr, c.slider) << c.subType;
        if (c.list) {
            EXPECT_EQ(frame->ListPopup()->ItemCount(), 16);
            EXPECT_EQ(Text(frame->ListPopup()->Item(15)), "15");
            EXPECT_EQ(frame->ListPopup()->GetWidth(), 60);
            EXPECT_EQ(frame->ListPopup()->GetKind(), CSysGeneralDlg::kKindId);
        }
        if (c.slider) {
            CSetupSliderPopupDlg& popup = *frame->SliderPopup();
            EXPECT_EQ(popup.GetKind(), CSysGeneralDlg::kKindIdSlider);
            EXPECT_EQ(popup.Slider(0).GetRangeMin(), 0);
            EXPECT_EQ(popup.Slider(0).GetRangeMax(), 99);
            EXPECT_EQ(popup.Slider(0).GetPos(), 42);
            EXPECT_EQ(popup.GetWidth(), 268);
            // Closed unmoved, the same ID goes back.
            frame->ClosePopups();
            EXPECT_TRUE(Changed().empty());
            EXPECT_EQ(Text(page.Selector(CSysGeneralDlg::IDC_RECORDER_ID)), "42");
        }
        Close();
    }
}

TEST_F(SysGeneralPage, ANewStandardResetsTheRecordingFieldsOfTheRecordersChannels) {
    recorder.SetChannels(8);
    db.video_standard = 0;
    db.rec_resolution_class = 1;
    auto& page = OpenPage();
    SetupDatabase expected = db;
    expected.video_standard = 1;
    expected.rec_single_rate = 6;
    const BYTE rates[8] = {4, 3, 3, 3, 3, 3, 3, 3};
    for (int k = 0; k < 8; ++k) {
        expected.mode_a_rate[k] = expected.mode_b_rate[k] = expected.mode_c_rate[k] = rates[k];
        expected.mode_d_rate[k] = expected.mode_e_rate[k] = rates[k];
        expected.mode_a_resolution[k] = expected.mode_b_resolution[k] = expected.mode_c_resolution[k] = 0;
        expected.mode_d_resolution[k] = expected.mode_e_resolution[k] = expected.mode_f_resolution[k] = 0;
    }
    Click(page.Selector(CSysGeneralDlg::IDC_STANDARD));
    ASSERT_NE(frame->ListPopup(), nullptr);
    Click(frame->ListPopup()->Item(1));
    EXPECT_EQ(Changed(), Changes(before, expected));
    EXPECT_EQ(Text(page.Selector(CSysGeneralDlg::IDC_STANDARD)), "PAL");
    EXPECT_EQ(TextOf(page.Selector(CSysGeneralDlg::IDC_ROW5)), LoadResString(IDS_2CIF));
}

TEST_F(SysGeneralPage, TheSameStandardRewritesNothingButRefreshesItsSelectors) {
    auto& page = OpenPage(false);
    page.OnListResult(CSysGeneralDlg::kKindStandard, 1);
    EXPECT_TRUE(Changed().empty());
    EXPECT_EQ(TextOf(page.Selector(CSysGeneralDlg::IDC_ROW5)), LoadResString(IDS_2CIF));
    // Without a connection a change covers all 16 channels.
    page.OnListResult(CSysGeneralDlg::kKindStandard, 0);
    BYTE rates[16] = {};
    ASSERT_TRUE(DefaultChannelRates(kStandardNtsc, 16, rates));
    EXPECT_EQ(std::vector<BYTE>(db.mode_e_rate, db.mode_e_rate + 16), std::vector<BYTE>(rates, rates + 16));
    EXPECT_EQ(std::vector<BYTE>(db.mode_f_resolution, db.mode_f_resolution + 16), std::vector<BYTE>(16, 0));
    EXPECT_EQ(db.rec_single_rate, SingleRecordRate(kStandardNtsc, db.rec_resolution_class, 16));
    EXPECT_EQ(Text(page.Selector(CSysGeneralDlg::IDC_STANDARD)), "NTSC");
}

TEST_F(SysGeneralPage, DeinterlaceOpensItsPageInPlaceOfThisOne) {
    auto& page = OpenPage();
    CWnd* deinterlace = page.GetDlgItem(CSysGeneralDlg::IDC_DEINTERLACE);
    ASSERT_NE(deinterlace, nullptr);
    Click(*deinterlace);
    EXPECT_NE(dynamic_cast<CDeinterlaceDlg*>(frame->PageById(IDD_DEINTERLACE_DLG)), nullptr);
    EXPECT_EQ(frame->PageById(IDD_SYS_GENERAL_DLG), nullptr);
}

// ---- accounts

class UserPage : public FrameFixture {
protected:
    void SetUp() override {
        AccountRightsTable& t = db.accounts;
        for (int a = 0; a < 8; ++a) {
            std::memset(t.user_name[a], 0, kAccountNameSize);
            std::memset(t.password[a], 0, kAccountNameSize);
            std::snprintf(t.user_name[a], kAccountNameSize, "user%d", a);
            std::snprintf(t.password[a], kAccountNameSize, "%d%d%d%d", a, a, a, a);
            t.level[a] = BYTE(a % 2);
            for (int k = 0; k < 8; ++k)
                t.rights[k][a] = BYTE((a + k) % 2);
        }
    }
    CUserSetupDlg& OpenAs(int account, bool withClient = true) {
        if (account >= 0)
            recorder.LogInAs(account);
        Open(withClient);
        return Show<CUserSetupDlg>(IDD_USER_SETUP_DLG);
    }
    static void Enter(CUserSetupDlg& page, const char* name, const char* password, const char* confirm) {
        page.NameEdit().SetWindowText(name);
        page.PasswordEdit().SetWindowText("");
        page.ConfirmEdit().SetWindowText("");
        Type(page.PasswordEdit(), password);
        Type(page.ConfirmEdit(), confirm);
    }
    // Makes the edits usable for the selected account, as the name selector's first item does.
    void EditSelectedName(CUserSetupDlg& page) {
        page.OpenSelector(CUserSetupDlg::kKindName);
        ASSERT_NE(frame->ListPopup(), nullptr);
        Click(frame->ListPopup()->Item(0));
    }
    static bool AddEnabled(CUserSetupDlg& page) { return page.AddButton().IsWindowEnabled() != FALSE; }
    static bool WholeTextSelected(CEdit& edit) {
        int start = -1;
        int end = -1;
        edit.GetSel(start, end);
        return start == 0 && end == edit.GetWindowTextLength();
    }
};

TEST_F(UserPage, OpensOnTheLoggedInAccount) {
    auto& page = OpenAs(3);
    EXPECT_EQ(page.SelectedAccount(), 3);
    EXPECT_EQ(TextOf(page.Label(CUserSetupDlg::IDC_ACCOUNT)), LoadResString(IDS_USER) + "2");
    EXPECT_EQ(Text(page.Label(CUserSetupDlg::IDC_USER_NAME)), "user3");
    EXPECT_EQ(TextOf(page.Label(CUserSetupDlg::IDC_LEVEL)), LoadResString(IDS_ON));
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(page.Box(j).GetCheck(), db.accounts.rights[kRightOfBox[j]][3]) << "box " << j;
    EXPECT_FALSE(AddEnabled(page));
    EXPECT_TRUE(page.NameEdit().IsWindowEnabled());
    EXPECT_EQ(Text(page.NameEdit()), "");
    EXPECT_EQ(TextOf(page.Label(CUserSetupDlg::IDC_RIGHT_LABEL + 2)), LoadResString(IDS_SETUP));
}

TEST_F(UserPage, AnAccountOfTwoOrHigherCanOnlyRenameItself) {
    auto& page = OpenAs(3);
    for (int kind = 0; kind < 3; ++kind) {
        page.OpenSelector(kind);
        EXPECT_EQ(frame->ListPopup(), nullptr) << kind;
    }
    for (int j = 0; j < 8; ++j) {
        Click(page.Box(j));
        EXPECT_EQ(page.Box(j).GetCheck(), db.accounts.rights[kRightOfBox[j]][3]) << "box " << j;
    }
    EXPECT_TRUE(Changed().empty());
    Enter(page, "neo", "2468", "2468");
    ASSERT_TRUE(AddEnabled(page));
    Click(page.AddButton());
    EXPECT_EQ(SlotText(db.accounts.user_name[3], 32), "neo");
    EXPECT_EQ(std::string(db.accounts.password[3], 32), std::string("2468") + std::string(28, '\0'));
    for (const auto& [offset, value] : Changed()) {
        const bool inName = offset >= 5696 + 96 && offset < 5696 + 128;
        const bool inPassword = offset >= 5952 + 96 && offset < 5952 + 128;
        EXPECT_TRUE(inName || inPassword) << offset;
    }
    EXPECT_EQ(Text(page.Label(CUserSetupDlg::IDC_USER_NAME)), "neo");
    EXPECT_EQ(Text(page.NameEdit()), "");
    EXPECT_FALSE(page.NameEdit().IsWindowEnabled());
    EXPECT_FALSE(AddEnabled(page));
}

TEST_F(UserPage, TheManagerChoosesAmongAccountsOneToFive) {
    auto& page = OpenAs(1);
    Click(page.Label(CUserSetupDlg::IDC_ACCOUNT));
    CSetupListPopupDlg* popup = frame->ListPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->ItemCount(), 5);
    EXPECT_EQ(popup->GetWidth(), 150);
    EXPECT_EQ(TextOf(popup->Item(0)), LoadResString(IDS_MANAGER));
    Click(popup->Item(0));
    EXPECT_EQ(page.SelectedAccount(), 1);
    page.OnListResult(CUserSetupDlg::kKindAccount, 4);
    EXPECT_EQ(page.SelectedAccount(), 5);
    EXPECT_EQ(Text(page.Label(CUserSetupDlg::IDC_USER_NAME)), "user5");
    page.OnListResult(CUserSetupDlg::kKindAccount, 5); // not offered
    EXPECT_EQ(page.SelectedAccount(), 5);
    // The level of the chosen account.
    page.OnListResult(CUserSetupDlg::kKindLevel, 0);
    EXPECT_EQ(Changed(), (ByteMap{{5688 + 5, 0}}));
    EXPECT_EQ(TextOf(page.Label(CUserSetupDlg::IDC_LEVEL)), LoadResString(IDS_OFF));
}

TEST_F(UserPage, AfterChoosingAccountZeroItsNameCannotBeEntered) {
    auto& page = OpenAs(0);
    page.OnListResult(CUserSetupDlg::kKindAccount, 0);
    EXPECT_EQ(page.SelectedAccount(), 0);
    EXPECT_FALSE(page.NameEdit().IsWindowEnabled());
    Click(page.Label(CUserSetupDlg::IDC_USER_NAME));
    EXPECT_EQ(frame->ListPopup(), nullptr);
    Click(page.Label(CUserSetupDlg::IDC_LEVEL));
    EXPECT_EQ(frame->ListPopup(), nullptr);
}

TEST_F(UserPage, AddIsReconsideredOnlyWhenAPasswordFieldChanges) {
    auto& page = OpenAs(0);
    Type(page.PasswordEdit(), "1357");
    Type(page.ConfirmEdit(), "1357");
    EXPECT_FALSE(AddEnabled(page)); // no name yet
    Type(page.NameEdit(), "bob");
    EXPECT_FALSE(AddEnabled(page)); // the name alone does not re-evaluate
    page.ConfirmEdit().SetWindowText("135");
    Type(page.ConfirmEdit(), "7");
    EXPECT_TRUE(AddEnabled(page));
    // Letters never reach the password edits.
    Type(page.PasswordEdit(), "ab");
    EXPECT_EQ(Text(page.PasswordEdit()), "1357");
    // The default password never enables Add.
    Enter(page, "bob", "9836", "9836");
    EXPECT_FALSE(AddEnabled(page));
    // At most eight characters.
    Enter(page, "bob", "1234567890", "12345678");
    EXPECT_EQ(Text(page.PasswordEdit()), "12345678");
    EXPECT_TRUE(AddEnabled(page));
}

TEST_F(UserPage, NamesAndPasswordsOfOtherAccountsAreRefusedWithoutRegardToCase) {
    const struct {
        int selected;
        const char* name;
        const char* password;
        bool accepted;
        UINT refusedEdit;
    } cases[] = {
        {4, "USER2", "2468", false, CUserSetupDlg::IDC_NAME},
        {2, "USER2", "2468", true, 0},
        {4, "zed", "3333", false, CUserSetupDlg::IDC_PASSWORD},
        {3, "zed", "3333", true, 0},
        {4, "user6", "6666", true, 0}, // accounts 6 and 7 are not compared
    };
    for (const auto& c : cases) {
        auto& page = OpenAs(0);
        page.OnListResult(CUserSetupDlg::kKindAccount, c.selected);
        EditSelectedName(page);
        ASSERT_TRUE(page.NameEdit().IsWindowEnabled());
        EXPECT_EQ(Text(page.NameEdit()), "user" + std::to_string(c.selected));
        Enter(page, c.name, c.password, c.password);
        ASSERT_TRUE(AddEnabled(page)) << c.name;
        Click(page.AddButton());
        if (c.accepted) {
            EXPECT_EQ(SlotText(db.accounts.user_name[c.selected], 32), c.name);
            EXPECT_EQ(SlotText(db.accounts.password[c.selected], 32), c.password);
        } else {
            EXPECT_TRUE(Changed().empty()) << c.name;
            EXPECT_TRUE(page.NameEdit().IsWindowEnabled());
            CEdit& refused = c.refusedEdit == CUserSetupDlg::IDC_NAME ? static_cast<CEdit&>(page.NameEdit())
                                                                      : static_cast<CEdit&>(page.PasswordEdit());
            EXPECT_TRUE(WholeTextSelected(refused)) << c.name;
        }
        Close();
        db = PatternRecord();
        SetUp();
    }
}

TEST_F(UserPage, ADeletedNameKeepsItsPassword) {
    auto& page = OpenAs(0);
    page.OnListResult(CUserSetupDlg::kKindAccount, 5);
    Click(page.Label(CUserSetupDlg::IDC_USER_NAME));
    CSetupListPopupDlg* popup = frame->ListPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->ItemCount(), 2);
    EXPECT_EQ(TextOf(popup->Item(1)), LoadResString(IDS_DELETE));
    EXPECT_EQ(page.NameActionFlag(), 1);
    Click(popup->Item(1));
    EXPECT_EQ(Text(page.Label(CUserSetupDlg::IDC_USER_NAME)), "");
    EXPECT_EQ(std::string(db.accounts.user_name[5], 32), std::string(32, '\0'));
    EXPECT_EQ(SlotText(db.accounts.password[5], 32), "5555");
    // An empty name offers only "new name".
    Click(page.Label(CUserSetupDlg::IDC_USER_NAME));
    ASSERT_NE(frame->ListPopup(), nullptr);
    EXPECT_EQ(frame->ListPopup()->ItemCount(), 1);
    EXPECT_EQ(page.NameActionFlag(), 0);
    // Its password still blocks another account.
    page.OnListResult(CUserSetupDlg::kKindAccount, 4);
    EditSelectedName(page);
    before = db;
    Enter(page, "fresh", "5555", "5555");
    Click(page.AddButton());
    EXPECT_TRUE(Changed().empty());
}

TEST_F(UserPage, RightBoxesWriteTheirRightArrayForManagers) {
    for (const int loggedIn : {0, 1}) {
        auto& page = OpenAs(loggedIn);
        page.OnListResult(CUserSetupDlg::kKindAccount, loggedIn == 0 ? 4 : 3); // account 4 either way
        ASSERT_EQ(page.SelectedAccount(), 4);
        for (int j = 0; j < 8; ++j) {
            before = db;
            const int was = db.accounts.rights[kRightOfBox[j]][4];
            Click(page.Box(j));
            EXPECT_EQ(Changed(), (ByteMap{{std::size_t(5624 + 8 * kRightOfBox[j] + 4), 1 - was}}))
                << "logged in " << loggedIn << " box " << j;
        }
        Close();
        db = PatternRecord();
        SetUp();
    }
}

TEST_F(UserPage, TheAdministratorKeepsItsOwnSetupRight) {
    auto& page = OpenAs(0);
    ASSERT_EQ(page.SelectedAccount(), 0);
    const int stored = db.accounts.rights[kRightSetup][0];
    Click(page.Box(2));
    EXPECT_EQ(page.Box(2).GetCheck(), stored);
    EXPECT_TRUE(Changed().empty());
    // Its other rights, and the setup right of the others, it changes.
    const int right0 = db.accounts.rights[0][0];
    Click(page.Box(0));
    EXPECT_EQ(Changed(), (ByteMap{{5624, 1 - right0}}));
    page.OnListResult(CUserSetupDlg::kKindAccount, 2);
    before = db;
    const int setup2 = db.accounts.rights[kRightSetup][2];
    Click(page.Box(2));
    EXPECT_EQ(Changed(), (ByteMap{{5624 + 8 + 2, 1 - setup2}}));
}

TEST_F(UserPage, AnAccountTheRecorderDoesNotKnowChangesNothing) {
    recorder.client.Login().SetConnectParams("127.0.0.1", 2000, "stranger", "1");
    AccountRightsTable table{};
    recorder.Feed(Msg::RIGHT_CHANGE, &table, sizeof table);
    auto& page = OpenAs(-1);
    EXPECT_EQ(page.LoggedInAccount(), -1);
    EXPECT_EQ(Text(page.Label(CUserSetupDlg::IDC_ACCOUNT)), "");
    Click(page.Box(0));
    EXPECT_EQ(page.Box(0).GetCheck(), 0);
    Enter(page, "neo", "2468", "2468");
    Click(page.AddButton());
    EXPECT_TRUE(Changed().empty());
}

TEST_F(UserPage, WithoutAConnectionThePageActsForAccountZero) {
    auto& page = OpenAs(-1, false);
    EXPECT_EQ(page.LoggedInAccount(), 0);
    EXPECT_EQ(page.SelectedAccount(), 0);
    Click(page.Label(CUserSetupDlg::IDC_ACCOUNT));
    ASSERT_NE(frame->ListPopup(), nullptr);
    EXPECT_EQ(frame->ListPopup()->ItemCount(), 6);
}

} // namespace
