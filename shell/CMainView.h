#pragma once
// The frame's one child window. It owns the editor, the settings record and the document
// state, lays out the editor (and an open bottom bar), decides who gets the focus and the
// commands, and carries the program's command table.

#include "document/DecodeReport.h"
#include "document/DiskChange.h"
#include "document/FileLock.h"
#include "document/FileRecord.h"
#include "document/RecentFileList.h"
#include "document/StringHistory.h"
#include "document/TemplateList.h"
#include "platform/CodePage932Spelling.h"
#include "platform/FrontRequest.h"
#include "platform/WindowObject.h"
#include "search/CEditor.h"
#include "search/IBarListener.h"
#include "shell/AppSettings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace shell {

class CMainView : public platform::WindowObject, public search::IBarListener {
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
    // Whether the document may be closed now: an unsaved change is offered for saving (or
    // saved without asking while the auto-save flag is set); a refused or failed save stops.
    bool QueryClose();

    // Who opens a document: the command line (failures end the program) or anything else.
    enum class OpenMode { Startup, Menu };
    // Opens the file at path as the document: claims its lock, decodes it, hands the text to
    // the control and remembers it among the recent files. False leaves the text as it was.
    bool Open(std::u16string_view path, OpenMode mode);
    // Writes the text to path in the document's encoding and line break, asking first when
    // that loses or changes what the user did not touch. False when nothing was saved.
    bool Save(const std::u16string& path);
    // Asks for a path and saves there; false when cancelled or not saved.
    bool SaveAs();
    // Fills the Recent submenu of a popup of the main menu bar, if it holds one.
    void FillRecentMenu(HMENU popup);

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
    bool AutoSave() const { return record_.autoSave() != 0; }
    // The document's file, empty while untitled.
    const std::u16string& Path() const { return path_; }
    // Whether the encoding is detected when a file is opened.
    bool AutoDetect() const { return autoDetect_ != 0; }
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

    // A bar's command: Go To, the searches, or Cancel (which closes the bar).
    void OnBarCommand(UINT id, std::u16string_view text, std::u16string_view replacement) override;

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
    // The settings dialogs; on OK each copies its values into the record, saves it and
    // pushes what changed into the control.
    void OnOption();
    void OnSearchOption();
    void OnCompatibility();
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam);

    void OnFileOpen();
    void OnFileNew();
    void OnReopen();
    platform::CommandState ReopenState() const;
    void OnRecent(UINT id);
    void OnSaveAs();
    void OnSave();
    void OnAutoDetect();
    platform::CommandState AutoDetectState() const;
    void OnEncoding(UINT id);
    platform::CommandState EncodingState(UINT id) const;
    void OnLineBreak(UINT id);
    platform::CommandState LineBreakState(UINT id) const;
    void OnAutoSave();
    platform::CommandState AutoSaveState() const;

    // Lets another copy that was asked to open this copy's file bring this copy to the front.
    void ListenForFrontRequests();
    // The frame window, whose handle names this copy to the others.
    HWND Frame() const;
    // Shows text in a message box owned by the view.
    int Ask(const std::u16string& text, const char16_t* caption, UINT type) const;
    // The file dialogs: the path chosen, or nullopt when cancelled.
    std::optional<std::u16string> AskOpenPath();
    std::optional<std::u16string> AskSavePath();
    // Tells the user once what the opened text lost of its file.
    void ReportOpenLosses() const;
    // Whether the user lets a save go on over a file another program changed or removed.
    bool ConfirmOverwrite(const std::u16string& target) const;
    // Whether the user lets a save go on that changes more than the user changed.
    bool ConfirmLossySave(std::u16string_view text, const std::u16string& target) const;
    // Caret into the record, the record to the front of the recent files, published.
    void RememberDocument(const std::u16string& path);

    // Opening the bottom bars (MainViewBars.cpp).
    void OnFind();
    void OnReplace();
    void OnGoToLine();

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
    document::FileRecord record_;
    document::FileLock lock_;
    // What reading path_ left out or will write otherwise, and its code page 932 spellings.
    document::DecodeReport loadReport_;
    // The file as this copy last read or wrote it, to tell another program's change.
    document::DiskChange disk_;
    platform::Cp932Spelling spelling_;
    std::unique_ptr<platform::FrontRequestListener> frontRequests_;
    document::RecentFileList recentFiles_;
    document::StringHistory findHistory_;
    document::StringHistory replaceHistory_;
    document::TemplateList templates_;

    std::u16string commandLinePath_;
    bool noWordWrapOption_ = false;
    bool wordWrapOn_ = true;
};

} // namespace shell
