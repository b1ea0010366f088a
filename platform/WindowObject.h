#pragma once
// The application framework's objects: a command target (a command table and its routing)
// and a window object (a window handle driven by a message table). Handlers are ordinary
// member functions named in the tables of MessageMap.h; docs/framework.md explains the model.

#include "platform/MessageMap.h"
#include "platform/Window.h"

namespace platform {

// Notifications a parent reflects back to the child control that sent them arrive at the
// child's object as WM_REFLECT + the original message (WM_REFLECT + WM_COMMAND for EN_CHANGE,
// CBN_EDITCHANGE, ...). A child whose table has no such entry leaves the parent to handle it.
constexpr UINT WM_REFLECT = 0xBC00;

// Something commands can be routed to: an object with a command table.
class CommandTarget {
public:
    CommandTarget() = default;
    virtual ~CommandTarget() = default;
    CommandTarget(const CommandTarget&) = delete;
    CommandTarget& operator=(const CommandTarget&) = delete;

    // This class's command table; the base has none.
    virtual const CommandMap& commandMap() const;
    // Runs command id (query null) or writes its state into *query; true when some table along
    // the route knows the id. The base asks only its own table chain; frames and views
    // override it to ask other objects first.
    virtual bool routeCommand(UINT id, CommandState* query);
    // The own table chain alone: runs or answers when it has the id.
    bool handleOwnCommand(UINT id, CommandState* query);
    // A command chosen from a menu or typed as an accelerator: runs it unless its state is
    // greyed. True when some table knows the id (greyed ones included).
    bool executeCommand(UINT id);
};

class WindowObject : public CommandTarget {
public:
    WindowObject() = default;
    // A window still attached is detached first (so no message reaches a half-destroyed
    // object) and then destroyed.
    ~WindowObject() override;

    HWND hwnd() const { return hwnd_; }
    // The object driving a window, or null.
    static WindowObject* fromHandle(HWND hwnd);

    // Registers a class whose windows are driven by their objects (lpfnWndProc is replaced).
    // Returns the atom, or 0 when the name is taken: creating windows of it still works.
    static ATOM registerClass(WNDCLASS wc);
    // Creates the window. Windows of a class from registerClass reach this object from their
    // first message on; windows of any other class are subclassed right after creation.
    // False when creation fails.
    bool createEx(DWORD exStyle, const char16_t* className, const char16_t* text, DWORD style,
                  const RECT& rect, HWND parent, int id, void* param = nullptr);
    // Attaches this object to an existing window by replacing its procedure.
    bool subclass(HWND hwnd);
    // Destroys the window; the object stays, without a window.
    void destroyWindow();

    // Answers a message: the message table chain, then the framework's own handling of
    // WM_COMMAND (reflection, then routing) and WM_INITMENUPOPUP (item states), then
    // defaultProc. May be reached after a handler deleted the object: it touches nothing then.
    virtual LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's own behaviour: the replaced procedure of a subclassed window, else
    // DefWindowProc.
    LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Offers an input message, addressed to this window or one below it, before dispatch.
    // True consumes it. The base consumes nothing.
    virtual bool preTranslateMessage(MSG& msg);
    // Sets the enabled and checked marks of every command item of popup and its submenus
    // from routeCommand; an item that no table knows is greyed.
    void updateMenuStates(HMENU popup);

    // This class's message table; the base has none.
    virtual const MessageMap& messageMap() const;

protected:
    // The window has gone (after WM_NCDESTROY) and the object is detached from it.
    virtual void onWindowGone() {}

private:
    friend LRESULT objectWindowProc(HWND, UINT, WPARAM, LPARAM);
    void attach(HWND hwnd, WNDPROC previous);
    void detach();
    bool reflectCommand(WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC previousProc_ = nullptr;
};

// The window procedure of every window that a window object drives.
LRESULT objectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Offers an input message to the window objects from its target window up to the top-level
// window, innermost first; true when one consumed it. The platform calls it for every
// keyboard and mouse message before the target's procedure sees it.
bool preTranslateInput(MSG& msg);

} // namespace platform
