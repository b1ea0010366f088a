#include "WindowTestSupport.h"

using kivtest::WindowTest;

namespace {

class MessageQueueTest : public WindowTest {};

TEST_F(MessageQueueTest, PostedMessagesRunAfterTheCurrentHandlerInPostingOrder) {
    HWND a = makeTopLevel();
    HWND b = makeTopLevel();
    std::vector<std::pair<HWND, UINT>> order;
    setHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg < WM_APP)
            return std::nullopt;
        order.emplace_back(hwnd, msg);
        if (msg == WM_APP) {
            PostMessage(b, WM_APP + 1, 0, 0);
            PostMessage(a, WM_APP + 2, 0, 0);
            PostMessage(b, WM_APP + 3, 0, 0);
            order.emplace_back(hwnd, WM_APP + 100); // still inside the first handler
        }
        return 0;
    });
    SendMessage(a, WM_APP, 0, 0);
    const std::vector<std::pair<HWND, UINT>> sentOnly{{a, WM_APP}, {a, WM_APP + 100}};
    EXPECT_EQ(order, sentOnly);
    platform::test::pumpMessages();
    const std::vector<std::pair<HWND, UINT>> expected{
        {a, WM_APP}, {a, WM_APP + 100}, {b, WM_APP + 1}, {a, WM_APP + 2}, {b, WM_APP + 3}};
    EXPECT_EQ(order, expected);
}

TEST_F(MessageQueueTest, MessagePostedToAWindowDestroyedBeforeDeliveryIsDropped) {
    HWND a = makeTopLevel();
    PostMessage(a, WM_APP + 5, 1, 2);
    DestroyWindow(a);
    HWND b = makeTopLevel(); // may reuse the address
    platform::test::pumpMessages();
    for (const auto& r : received(WM_APP + 5))
        ADD_FAILURE() << "posted message reached " << (r.hwnd == b ? "a new window" : "a window");
}

TEST_F(MessageQueueTest, SelfPostingWindowCannotHangThePump) {
    HWND a = makeTopLevel();
    int count = 0;
    setHandler([&](HWND hwnd, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_APP) {
            ++count;
            PostMessage(hwnd, WM_APP, 0, 0);
            return 0;
        }
        return std::nullopt;
    });
    PostMessage(a, WM_APP, 0, 0);
    platform::test::pumpMessages();
    EXPECT_GT(count, 1);
    setHandler(nullptr);
    platform::test::pumpMessages();
}

TEST_F(MessageQueueTest, TimerFiresRepeatedlyAndStopsWhenKilled) {
    HWND a = makeTopLevel();
    int fired = 0;
    setHandler([&](HWND hwnd, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_TIMER && wParam == 1) {
            if (++fired == 2)
                KillTimer(hwnd, 1); // from inside its own tick
            return 0;
        }
        return std::nullopt;
    });
    ASSERT_NE(SetTimer(a, 1, 10, nullptr), 0u);
    for (int i = 0; i < 100 && fired < 2; ++i)
        platform::test::pumpFor(10);
    EXPECT_EQ(fired, 2);
    platform::test::pumpFor(60);
    EXPECT_EQ(fired, 2);
    EXPECT_FALSE(KillTimer(a, 1));
}

TEST_F(MessageQueueTest, TimersDieWithTheirWindow) {
    HWND a = makeTopLevel();
    SetTimer(a, 3, 5, nullptr);
    DestroyWindow(a);
    clearLog();
    platform::test::pumpFor(40);
    EXPECT_TRUE(received(WM_TIMER).empty());
}

TEST_F(MessageQueueTest, CloseFromTheDesktopAsksTheProcedure) {
    HWND a = makeTopLevel();
    setHandler([](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_CLOSE)
            return 0; // refuse
        return std::nullopt;
    });
    SendMessage(a, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(a));
    setHandler(nullptr);
    SendMessage(a, WM_CLOSE, 0, 0); // the default destroys
    EXPECT_FALSE(IsWindow(a));
}

} // namespace
