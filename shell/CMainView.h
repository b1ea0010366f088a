#pragma once
// The frame's one child window. It owns the editor, the settings record and the document
// state, lays out the editor (and an open bottom bar), decides who gets the focus and the
// commands, and carries the program's command table.

#include "document/RecentFileList.h"
#include "document/StringHistory.h"
#include "document/TemplateList.h"
#include "platform/WindowObject.h"
#include "search/CEditor.h"
#include "shell/AppSettings.h"

#include <cstdint>
#include <memory>
#include <string>

namespace shell {

class CMainView : public platform::WindowObject {
public:
    static constexpr int kEditorId = 1333;
    static constexpr UINT_PTR kAutoSaveTimer = 1;
    static constexpr UINT kAutoSavePeriod = 5000;
    static constexpr int kMinFontSize = 4;
    static constexpr int kMaxFontSize = 96;

    CMainView();
    ~CMainView() override;

    // Creates the view's window as a child of the frame; its creation creates the editor and
    // starts the document (see OnCreate).
    bool Create(HWND parent, int id);

    // Places the editor over the client area, leaving the open bar's height at the bottom.
    void RecalcLayout();
    // Builds the font from the settings and hands it and the tab stops to the control.
    void ApplyFont();
    // Sets the frame's caption: the file name or "kiv", with "*" when modified is non-zero.
    void UpdateTitle(WPARAM modified);
    // Pushes the whole settings record into the control, the editor and the application.
    void ApplySettings();
    // Whether the document may be closed now.
    bool QueryClose();

    // Opening a bottom bar: DeleteBar, create the new bar as a child of the view, ShowBar.
    // Deletes the open bar, if any.
    void DeleteBar();
    // Makes bar (a child of the view) the open bar, height pixels tall, and focuses it.
    void ShowBar(std::unique_ptr<platform::WindowObject> bar, int height);
    // Closes the open bar: it goes, the editor takes its room and the focus.
    void CloseBar();
    // The open bar, or null.
    platform::WindowObject* Bar() const { return bar_.get(); }

    search::CEditor& Editor() { return editor_; }
    AppSettings& Settings() { return settings_; }
    const AppSettings& Settings() const { return settings_; }
    // The document's auto-save flag (the frame starts the auto-save timer from it).
    bool AutoSave() const { return autoSave_ != 0; }
    // The path given on the command line, if any.
    const std::u16string& CommandLinePath() const { return commandLinePath_; }
    // The current encoding and line-break ids of the document.
    std::int32_t Encoding() const { return encoding_; }
    std::int32_t LineBreak() const { return lineBreak_; }
    // Whether the control wraps lines now.
    bool WordWrapOn() const { return wordWrapOn_; }
    // The templates of the Insert menu, read from "template.ini" when the view was made.
    const document::TemplateList& Templates() const { return templates_; }

    // Fills the Insert submenu of a popup of the main menu bar (if it has one) with the
    // templates, command ids 51000 onward.
    void FillInsertMenu(HMENU popup) const;

    bool routeCommand(UINT id, platform::CommandState* query) override;
    const platform::MessageMap& messageMap() const override;
    const platform::CommandMap& commandMap() const override;

private:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetModified(WPARAM wParam, LPARAM lParam);
    LRESULT OnEditFocus(WPARAM wParam, LPARAM lParam);

    void OnFontUp();
    void OnFontDown();
    void OnWordWrap();
    platform::CommandState WordWrapState() const;
    void OnRefresh();
    // Replaces the selection by template id - 51000 expanded, as one undoable step, and puts
    // the caret where the template says.
    void OnTemplate(UINT id);

    // A new, empty, unmodified document in the encoding and line break of the settings.
    void NewDocument();
    void ReadCommandLine();

    search::CEditor editor_;
    std::u16string path_;
    std::int32_t encoding_ = 0;
    std::int32_t lineBreak_ = 0;
    HFONT font_ = nullptr;
    std::u16string fileFilter_; // pairs of description and pattern, each ended by a NUL
    AppSettings settings_;
    std::unique_ptr<platform::WindowObject> bar_; // the open bottom bar, if any
    int barHeight_ = 0;
    std::uint8_t firstSearch_ = 0;
    std::uint8_t autoDetect_ = 1;
    std::uint8_t hasFile_ = 0;
    int autoSave_ = 0;
    document::RecentFileList recentFiles_;
    document::StringHistory findHistory_;
    document::StringHistory replaceHistory_;
    document::TemplateList templates_;

    std::u16string commandLinePath_;
    bool noWordWrapOption_ = false;
    bool wordWrapOn_ = true;
};

} // namespace shell
