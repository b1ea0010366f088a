#include "WindowTestSupport.h"

#include "platform/AppObject.h"
#include "platform/FrameWindow.h"
#include "platform/SoftKeyBar.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using kivtest::WindowTest;
using platform::CommandState;

namespace {

std::vector<std::string>& events() {
    static std::vector<std::string> list;
    return list;
}

constexpr UINT kBoth = 100;       // the view and the frame have it
constexpr UINT kChecked = 101;    // the frame's, with a rule
constexpr UINT kLater = 102;      // not connected
constexpr UINT kAppOnly = 103;    // the application's
constexpr UINT kFrameOnly = 104;  // the frame's
constexpr UINT kRangeFirst = 110; // the view's range 110-119
constexpr UINT kDropBar = 120;    // the view deletes its bar

class Bar : public platform::WindowObject {
public:
    const platform::CommandMap& commandMap() const override {
        static constexpr platform::CommandEntry entries[] = {
            platform::onCommand<&Bar::close>(kDropBar)};
        static const platform::CommandMap map{&WindowObject::commandMap(), entries};
        return map;
    }
    std::unique_ptr<Bar>* owner = nullptr;

private:
    void close() {
        events().push_back("bar:close");
        owner->reset(); // the object goes inside its own command
    }
};

// Wraps a window of the recording test class, so its procedure still logs every message.
class Child : public platform::WindowObject {
public:
    bool preTranslateMessage(MSG& msg) override {
        if (msg.message == WM_KEYDOWN)
            events().push_back("child:pre");
        return msg.message == WM_KEYDOWN && msg.wParam == VK_F5;
    }
    const platform::MessageMap& messageMap() const override {
        static constexpr platform::MessageEntry entries[] = {
            platform::onMessage<platform::WM_REFLECT + WM_COMMAND, &Child::onReflected>()};
        static const platform::MessageMap map{&WindowObject::messageMap(), entries};
        return map;
    }

private:
    LRESULT onReflected(WPARAM wParam, LPARAM /*lParam*/) {
        if (HIWORD(wParam) != EN_CHANGE)
            return 0;
        events().push_back("child:reflected");
        return 1;
    }
};

class View : public platform::WindowObject {
public:
    std::unique_ptr<Bar> bar;

    bool preTranslateMessage(MSG& msg) override {
        if (msg.message == WM_KEYDOWN)
            events().push_back("view:pre");
        return false;
    }
    const platform::CommandMap& commandMap() const override {
        static constexpr platform::CommandEntry entries[] = {
            platform::onCommand<&View::both>(kBoth),
            platform::onCommandRange<&View::range>(kRangeFirst, kRangeFirst + 9),
        };
        static const platform::CommandMap map{&WindowObject::commandMap(), entries};
        return map;
    }
    bool routeCommand(UINT id, CommandState* query) override {
        return (bar != nullptr && bar->routeCommand(id, query)) || handleOwnCommand(id, query);
    }

private:
    void both() { events().push_back("view:100"); }
    void range(UINT id) { events().push_back("view:" + std::to_string(id)); }
};

class Frame : public platform::FrameWindow {
public:
    bool checked = true;

    bool preTranslateMessage(MSG& msg) override {
        if (msg.message == WM_KEYDOWN)
            events().push_back("frame:pre");
        return FrameWindow::preTranslateMessage(msg);
    }
    const platform::CommandMap& commandMap() const override {
        static constexpr platform::CommandEntry entries[] = {
            platform::onCommand<&Frame::both>(kBoth),
            platform::onCommand<&Frame::toggle, &Frame::checkState>(kChecked),
            platform::notConnected(kLater),
            platform::onCommand<&Frame::frameOnly>(kFrameOnly),
        };
        static const platform::CommandMap map{&FrameWindow::commandMap(), entries};
        return map;
    }

private:
    void both() { events().push_back("frame:100"); }
    void toggle() { checked = !checked; }
    CommandState checkState() const { return CommandState::checkedIf(checked); }
    void frameOnly() { events().push_back("frame:104"); }
};

class App : public platform::AppObject {
public:
    const platform::CommandMap& commandMap() const override {
        static constexpr platform::CommandEntry entries[] = {
            platform::onCommand<&App::appOnly>(kAppOnly)};
        static const platform::CommandMap map{&AppObject::commandMap(), entries};
        return map;
    }

private:
    void appOnly() { events().push_back("app:103"); }
};

class Framework : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        events().clear();
        WNDCLASS wc;
        wc.lpszClassName = u"kivTestObject";
        platform::WindowObject::registerClass(wc);
        ASSERT_TRUE(frame.createEx(0, u"kivTestObject", u"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   RECT{0, 0, 300, 200}, nullptr, 0));
        ASSERT_TRUE(view.createEx(0, u"kivTestObject", u"", WS_CHILD | WS_VISIBLE, RECT{},
                                  frame.hwnd(), platform::FrameWindow::kFirstPaneId));
        frame.setView(&view);
        const HWND childWindow = makeChild(view.hwnd(), 7, 0, 0, 50, 20);
        ASSERT_TRUE(child->subclass(childWindow));
        app.setMainWindow(&frame);
        SetFocus(child->hwnd());
        clearLog();
    }
    void TearDown() override {
        view.bar.reset();
        child.reset();
        view.destroyWindow();
        frame.destroyWindow();
        WindowTest::TearDown();
    }
    std::vector<std::string> takeEvents() { return std::exchange(events(), {}); }

    App app;
    Frame frame;
    View view;
    std::unique_ptr<Child> child = std::make_unique<Child>();
};

using Strings = std::vector<std::string>;

} // namespace

TEST_F(Framework, CommandsGoToTheViewThenTheFrameThenTheApplication) {
    for (UINT id : {kBoth, kFrameOnly, kAppOnly, kRangeFirst + 3})
        EXPECT_TRUE(frame.executeCommand(id));
    EXPECT_EQ(takeEvents(), (Strings{"view:100", "frame:104", "app:103", "view:113"}));
    EXPECT_FALSE(frame.executeCommand(999));

    CommandState state;
    ASSERT_TRUE(frame.routeCommand(kChecked, &state));
    EXPECT_EQ(state, CommandState::checkedIf(true));
    frame.executeCommand(kChecked);
    frame.routeCommand(kChecked, &state);
    EXPECT_EQ(state, CommandState::checkedIf(false));
    // A command not connected yet is known, greyed, and does nothing.
    ASSERT_TRUE(frame.routeCommand(kLater, &state));
    EXPECT_FALSE(state.enabled);
    EXPECT_TRUE(frame.executeCommand(kLater));
    EXPECT_TRUE(takeEvents().empty());
}

TEST_F(Framework, MenuItemStatesComeFromTheRulesWhenAPopupOpens) {
    HMENU popup = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenu(sub, MF_STRING, kAppOnly, u"app");
    AppendMenu(sub, MF_SEPARATOR, 0, nullptr);
    AppendMenu(sub, MF_STRING | MF_CHECKED, 998, u"nobody");
    AppendMenu(popup, MF_STRING | MF_GRAYED, kBoth, u"both");
    AppendMenu(popup, MF_STRING, kChecked, u"checked");
    AppendMenu(popup, MF_STRING, kLater, u"later");
    AppendMenu(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"sub");
    platform::test::queuePopupMenuAnswer(0);
    TrackPopupMenu(popup, TPM_RETURNCMD, 0, 0, 0, frame.hwnd(), nullptr);
    const auto calls = platform::test::takePopupMenuCalls();
    ASSERT_EQ(calls.size(), 1u);
    const auto& items = calls[0].items;
    const auto flags = [](const platform::test::MenuItemInfo& item) {
        return item.flags & (MF_GRAYED | MF_CHECKED);
    };
    EXPECT_EQ(flags(items[0]), 0u);
    EXPECT_EQ(flags(items[1]), MF_CHECKED);
    EXPECT_EQ(flags(items[2]), MF_GRAYED);
    EXPECT_EQ(flags(items[3].submenu[0]), 0u);
    EXPECT_EQ(flags(items[3].submenu[2]), MF_GRAYED);
    DestroyMenu(popup);
}

TEST_F(Framework, InputIsOfferedFromItsWindowUpAndAConsumedKeyTypesNothing) {
    platform::test::pressKey(child->hwnd(), 'A');
    EXPECT_EQ(takeEvents(), (Strings{"child:pre", "view:pre", "frame:pre"}));
    ASSERT_EQ(received(WM_CHAR).size(), 1u);
    EXPECT_EQ(received(WM_CHAR)[0].wParam, static_cast<WPARAM>('a'));
    clearLog();
    platform::test::pressKey(child->hwnd(), VK_F5);
    EXPECT_EQ(takeEvents(), (Strings{"child:pre"}));
    EXPECT_TRUE(received(WM_KEYDOWN).empty());
}

TEST_F(Framework, AcceleratorsNeedExactlyTheirModifiers) {
    const ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'B', kFrameOnly}};
    frame.setAccelerators(CreateAcceleratorTable(entries, 1));
    platform::test::pressKey(child->hwnd(), 'B', platform::test::Control);
    EXPECT_EQ(takeEvents().back(), "frame:104");
    EXPECT_TRUE(received(WM_KEYDOWN).empty());
    EXPECT_TRUE(received(WM_CHAR).empty());
    platform::test::pressKey(child->hwnd(), 'B', platform::test::Control | platform::test::Shift);
    EXPECT_EQ(takeEvents().back(), "frame:pre");
    EXPECT_EQ(received(WM_KEYDOWN).size(), 1u);
}

TEST_F(Framework, AControlsNotificationReachesItsOwnObjectFirst) {
    const auto notify = [&](WORD code) {
        SendMessage(view.hwnd(), WM_COMMAND, MAKEWPARAM(kBoth, code),
                    reinterpret_cast<LPARAM>(child->hwnd()));
    };
    notify(EN_CHANGE);
    // A notification the child leaves alone is not a command either; a click is.
    notify(EN_SETFOCUS);
    notify(0);
    EXPECT_EQ(takeEvents(), (Strings{"child:reflected", "view:100"}));
}

TEST_F(Framework, AnObjectMayBeDeletedInsideItsOwnCommand) {
    view.bar = std::make_unique<Bar>();
    view.bar->owner = &view.bar;
    ASSERT_TRUE(view.bar->createEx(0, u"kivTestObject", u"", WS_CHILD | WS_VISIBLE, RECT{},
                                   view.hwnd(), 9));
    const HWND barWindow = view.bar->hwnd();
    SendMessage(barWindow, WM_COMMAND, kDropBar, 0);
    EXPECT_EQ(takeEvents(), (Strings{"bar:close"}));
    EXPECT_EQ(view.bar, nullptr);
    EXPECT_FALSE(IsWindow(barWindow));
}

TEST_F(Framework, AnObjectGoingFirstGivesItsWindowBackToItsOwnProcedure) {
    const HWND childWindow = child->hwnd();
    child.reset();
    EXPECT_FALSE(IsWindow(childWindow));
    // The window's own procedure saw its end.
    ASSERT_EQ(received(WM_DESTROY).size(), 1u);
    EXPECT_EQ(received(WM_DESTROY)[0].hwnd, childWindow);
}

TEST_F(Framework, SoftKeysOpenTheirPopupOrPostTheirCommandFromTheTopmostBar) {
    HMENU menu = CreatePopupMenu();
    HMENU popup = CreatePopupMenu();
    AppendMenu(popup, MF_STRING, kBoth, u"both");
    AppendMenu(popup, MF_STRING, kLater, u"later");
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), u"Menu");
    AppendMenu(menu, MF_STRING, kFrameOnly, u"Do");
    platform::SoftKeyMenuBar lower;
    ASSERT_TRUE(lower.create(frame.hwnd(), 1, WS_VISIBLE));
    ASSERT_TRUE(lower.loadMenu(menu));
    frame.recalcLayout();
    RECT client;
    GetClientRect(frame.hwnd(), &client);
    RECT viewRect;
    GetClientRect(view.hwnd(), &viewRect);
    EXPECT_EQ(viewRect.bottom, client.bottom - SoftKeyBarHeight());

    // Choosing a greyed item is impossible; the enabled one runs.
    platform::test::queuePopupMenuAnswer(kLater);
    platform::test::pressKey(child->hwnd(), VK_F1);
    platform::test::queuePopupMenuAnswer(kBoth);
    platform::test::pressKey(child->hwnd(), VK_F1);
    platform::test::pressKey(child->hwnd(), VK_F2);
    platform::test::pumpMessages();
    const auto calls = platform::test::takePopupMenuCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].owner, frame.hwnd());
    EXPECT_EQ(calls[0].chosen, 0u);
    EXPECT_EQ(calls[1].chosen, kBoth);
    Strings ran;
    for (const auto& e : takeEvents()) {
        if (e.find(":pre") == std::string::npos)
            ran.push_back(e);
    }
    EXPECT_EQ(ran, (Strings{"view:100", "frame:104"}));
    // The keys never reach the focused window.
    EXPECT_TRUE(received(WM_KEYDOWN).empty());

    // A second bar lies on top and takes the keys until the first is raised again.
    HMENU other = CreatePopupMenu();
    AppendMenu(other, MF_STRING, kAppOnly, u"App");
    platform::SoftKeyMenuBar upper;
    ASSERT_TRUE(upper.create(frame.hwnd(), 2, WS_VISIBLE));
    ASSERT_TRUE(upper.loadMenu(other));
    EXPECT_EQ(SoftKeyBarOf(child->hwnd()), upper.hwnd());
    EXPECT_EQ(upper.buttonMenu(0), nullptr);
    platform::test::pressKey(child->hwnd(), VK_F1);
    platform::test::pumpMessages();
    SetWindowPos(lower.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(SoftKeyBarOf(child->hwnd()), lower.hwnd());
    EXPECT_EQ(lower.buttonMenu(0), popup);
    upper.destroyWindow();
    EXPECT_EQ(upper.hwnd(), nullptr);
    EXPECT_EQ(takeEvents().back(), "app:103");
}
