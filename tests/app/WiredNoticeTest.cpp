// Boxes and notices of the main window against the recorder simulator, as the operator meets them:
// a notice that opens while a box is open takes the clicks, and a decoder library that cannot start
// opens one box per live start, not one per channel.
#include "media/MediaFactory.h"
#include "media/PictureDecoder.h"
#include "platform/window/MessagePump.h"
#include "tests/app/WiredFixture.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>

#include <mutex>
#include <set>
#include <thread>

using namespace wiredtest;

namespace {

// A decoder library that is there but never starts; it notes the threads that call it.
class FailingDecoder : public IPictureDecoder {
public:
    bool IsPresent() const override { return true; }
    int Init(PT_H264DEC_CONTEXT*) override { return -1; }
    int GetOneFrame(PT_H264DEC_CONTEXT*, const BYTE*, int, BYTE*) override {
        std::lock_guard lock(m_lock);
        m_threads.insert(std::this_thread::get_id());
        return -1;
    }
    int Uninit(PT_H264DEC_CONTEXT*) override { return 0; }
    std::size_t Threads() {
        std::lock_guard lock(m_lock);
        return m_threads.size();
    }

private:
    std::mutex m_lock;
    std::set<std::thread::id> m_threads;
};

QMessageBox* OpenBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) {
            return box;
        }
    }
    return nullptr;
}

// A left click in the middle of a control, through the window system as a mouse click comes.
void ClickOn(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

class WiredNoticeTest : public WiredFixture {
protected:
    // Starts the simulator and the main window and logs in; `beforeLogin` runs once the main window
    // and its video window exist. Does not wait for the login.
    void StartLogin(std::vector<std::string> options, const std::function<void()>& beforeLogin = {}) {
        options.insert(options.end(), {"--resolution", "cif", "--loop-seconds", "1", "--days", "2", "--clock",
                                       std::to_string(kClock)});
        StartLoginWith(options, beforeLogin);
    }
    void UseDecoder(IPictureDecoder* decoder) {
        auto* factory = dynamic_cast<CMediaFactory*>(main->GetVideoWindow()->MediaFactory());
        ASSERT_NE(factory, nullptr);
        factory->SetPictureDecoder(decoder);
    }
    // Outlives the main window (TearDown ends it), whose decoders call it.
    FailingDecoder failingDecoder;
};

} // namespace

// The decoder library cannot start, so the program says so in a box; while it is open the recorder
// goes away and the notice of the lost connection opens over it. The operator clicks the notice's
// OK, then the box's OK.
TEST_F(WiredNoticeTest, ANoticeOpenedOverABoxTakesTheOperatorsClick) {
    FailingDecoder& decoder = failingDecoder;
    ASSERT_NO_FATAL_FAILURE(StartLogin({"--channels", "16"}, [&] { UseDecoder(&decoder); }));
    enum class Step { WaitBox, WaitBoth, NoticeClicked, BoxClicked, Done };
    Step step = Step::WaitBox;
    std::string boxText;
    std::string noticeText;
    bool noticeTakesInput = false;
    bool boxTakesInputAgain = false;
    bool noticeClosedByClick = false;
    int ticksSinceClick = 0;
    QTimer timer;
    // Everything runs from the timer: the box runs its own loop, inside which the test must act.
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QMessageBox* box = OpenBox();
        CMsgBoxDlg* notice = FindModal<CMsgBoxDlg>();
        switch (step) {
        case Step::WaitBox:
            if (box != nullptr && notice == nullptr) {
                sim.Stop(); // the connection ends while the box is open
                step = Step::WaitBoth;
            }
            break;
        case Step::WaitBoth:
            if (box != nullptr && notice != nullptr && notice->GetHost()->isVisible()) {
                boxText = box->text().toStdString();
                noticeText = notice->m_szLine[0];
                // The application gives mouse and keys only to the newest modal window.
                noticeTakesInput = QGuiApplication::modalWindow() == notice->GetHost()->windowHandle();
                ClickOn(notice->m_btnOK.GetHost());
                step = Step::NoticeClicked;
            }
            break;
        case Step::NoticeClicked:
            if (notice == nullptr) {
                noticeClosedByClick = true;
            } else if (++ticksSinceClick < 250) {
                break;
            } else {
                notice->EndDialog(IDOK); // the click did nothing: end it so that the test ends
            }
            step = Step::BoxClicked;
            break;
        case Step::BoxClicked:
            if (box != nullptr && notice == nullptr && !boxTakesInputAgain) {
                boxTakesInputAgain = QGuiApplication::modalWindow() == box->windowHandle();
            }
            if (box != nullptr) {
                ClickOn(box->button(QMessageBox::Ok));
            } else if (notice == nullptr) {
                step = Step::Done;
            }
            break;
        case Step::Done:
            break;
        }
    });
    timer.start(20);
    ASSERT_TRUE(WaitUntil([&] { return step == Step::Done; }, 90000));
    EXPECT_EQ(boxText, "H.264 Decoder Init Error !");
    EXPECT_EQ(noticeText, "Connection closed.");
    EXPECT_TRUE(noticeTakesInput) << "the notice '" << noticeText << "' shows, but another window takes the input";
    EXPECT_TRUE(noticeClosedByClick) << "a click on the notice's OK did nothing";
    EXPECT_TRUE(boxTakesInputAgain) << "the box did not take the input back";
}

// Sixteen channels go live with a decoder library that cannot start: one box tells the operator.
TEST_F(WiredNoticeTest, AFailingDecoderLibraryOpensOneBoxPerLiveStart) {
    FailingDecoder& decoder = failingDecoder;
    ASSERT_NO_FATAL_FAILURE(StartLogin({"--channels", "16"}, [&] { UseDecoder(&decoder); }));
    std::vector<std::string> boxes;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QMessageBox* box = OpenBox()) {
            boxes.push_back(box->text().toStdString());
            ClickOn(box->button(QMessageBox::Ok));
        }
    });
    timer.start(20);
    // Every channel has started (and so tried the library) once its thread asks for a picture.
    ASSERT_TRUE(WaitUntil([&] { return decoder.Threads() >= 16; }, 90000));
    // What the decoders posted before is delivered before this task.
    bool drained = false;
    CMessagePump::PostTask([&] { drained = true; });
    ASSERT_TRUE(WaitUntil([&] { return drained && OpenBox() == nullptr; }, 60000));
    EXPECT_EQ(boxes, std::vector<std::string>{"H.264 Decoder Init Error !"});
}
