// kiv [file] [-nowordwrap]
// kiv --screenshot FILE.png [--type TEXT] [file] [-nowordwrap]
//
// The editor. With --screenshot it starts as usual, renders its window into FILE.png once
// start-up is done and exits with status 0 (1 when the image cannot be written); --type first
// types TEXT into the focused window, a line feed ending a line. Questions asked meanwhile are
// answered as closing them would (the first run's association offer: no).

#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/Window.h"
#include "shell/CApplication.h"
#include "shell/CommandLine.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

struct Options {
    std::optional<std::string> screenshot;
    std::u16string typed;
    std::vector<std::u16string> arguments; // what the editor itself sees
};

std::u16string fromUtf8(const char* text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text);
    const std::size_t size = std::strlen(text);
    std::u16string decoded(size, u'\0');
    decoded.resize(
        platform::decodeToUtf16(platform::CodePage::Utf8, std::span(bytes, size), decoded.data()));
    return decoded;
}

std::optional<Options> readOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--screenshot" || argument == "--type") {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "kiv: %s needs a value\n", argument.c_str());
                return std::nullopt;
            }
            if (argument == "--screenshot")
                options.screenshot = argv[++i];
            else
                options.typed = fromUtf8(argv[++i]);
        } else {
            options.arguments.push_back(fromUtf8(argv[i]));
        }
    }
    if (!options.typed.empty() && !options.screenshot) {
        std::fprintf(stderr, "kiv: --type goes with --screenshot\n");
        return std::nullopt;
    }
    return options;
}

// Types text into the focused window as the keyboard's characters arrive there.
void typeInto(const std::u16string& text) {
    for (const char16_t c : text) {
        if (HWND focus = GetFocus(); focus != nullptr)
            SendMessage(focus, WM_CHAR, c == u'\n' ? u'\r' : c, 1);
    }
}

} // namespace

int main(int argc, char** argv) {
    platform::Application app(argc, argv);
    const std::optional<Options> options = readOptions(argc, argv);
    if (!options)
        return 2;
    // A picture of the window must not wait on a question (the first run's association offer).
    if (options->screenshot)
        platform::Application::leaveModalLoopsUnattended();
    shell::CApplication editor(shell::JoinCommandLine(options->arguments));
    if (!editor.InitInstance())
        return 1;
    if (options->screenshot) {
        platform::Application::processPending();
        typeInto(options->typed);
        platform::Application::processPending();
        const HWND frame = editor.mainWindowHandle();
        return frame != nullptr &&
                       platform::Application::saveWindowImage(frame, *options->screenshot)
                   ? 0
                   : 1;
    }
    return app.run();
}
