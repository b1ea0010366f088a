#pragma once
// The editor program with a folder of documents beside its program directory: real files
// written and read back byte for byte, and the commands that open and save them.

#include "shell/EditorProgram.h"

#include <string>

namespace kivtest {

class DocumentProgram : public EditorProgram {
protected:
    // The full path of a document in the scratch folder of documents.
    std::string docPath(const std::string& name);
    static std::u16string u16(const std::string& path);
    static void writeBytes(const std::string& path, const std::string& bytes);
    static std::string readBytes(const std::string& path);

    // Runs a command as a menu would, then the requests it posted.
    void command(UINT id);
    // Puts path at the front of the shared recent-file list (keeping its record) and opens it
    // with the first Recent command.
    void openThroughRecent(const std::string& path);
    // The caret (selection start) of the editor.
    int caret();
    bool modified();
    // Types text at the caret.
    void type(const std::u16string& text);
};

} // namespace kivtest
