#include "document/DefaultFiles.h"
#include "platform/Application.h"

int main(int argc, char** argv) {
    platform::Application app(argc, argv);
    // A fresh program directory gets its default colour and template files before anything
    // reads them.
    document::seedProgramFiles("0409");
    app.showBareWindow(u"kiv", 480, 640);
    return app.run();
}
