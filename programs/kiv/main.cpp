#include "platform/Application.h"

int main(int argc, char** argv) {
    platform::Application app(argc, argv);
    app.showBareWindow(u"kiv", 480, 640);
    return app.run();
}
