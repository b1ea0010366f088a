#include "platform/FrontRequest.h"

#include "platform/RuntimeDirectory.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace platform {

namespace {

// Requests are fixed-size datagrams: a tag and the window.
constexpr char kTag[4] = {'K', 'I', 'V', 'F'};
constexpr std::size_t kRequestSize = 12;

bool socketAddress(std::int64_t processId, sockaddr_un& address) {
    const std::string dir = runtimeDirectory();
    if (dir.empty() || processId <= 0)
        return false;
    const std::string path = dir + "front-" + std::to_string(processId) + ".sock";
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

} // namespace

bool requestBringToFront(const ClaimHolder& holder) {
    sockaddr_un address{};
    if (!socketAddress(holder.processId, address))
        return false;
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    char request[kRequestSize];
    std::memcpy(request, kTag, sizeof kTag);
    std::memcpy(request + 4, &holder.window, 8);
    const ssize_t sent = sendto(fd, request, sizeof request, MSG_DONTWAIT,
                                reinterpret_cast<const sockaddr*>(&address), sizeof address);
    close(fd);
    return sent == static_cast<ssize_t>(sizeof request);
}

struct FrontRequestListener::Impl {
    std::function<void(std::uint64_t)> onRequest;
    int fd = -1;
    std::string path;
    std::unique_ptr<QSocketNotifier> notifier;
};

FrontRequestListener::FrontRequestListener(std::function<void(std::uint64_t window)> onRequest)
    : impl_(std::make_unique<Impl>()) {
    impl_->onRequest = std::move(onRequest);
    sockaddr_un address{};
    if (!socketAddress(getpid(), address))
        return;
    const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return;
    // A socket left by an earlier process with our id is stale: that process is gone.
    unlink(address.sun_path);
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return;
    }
    impl_->fd = fd;
    impl_->path = address.sun_path;
    if (QCoreApplication::instance() != nullptr) {
        impl_->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(impl_->notifier.get(), &QSocketNotifier::activated, [this] { poll(); });
    }
}

FrontRequestListener::~FrontRequestListener() {
    impl_->notifier.reset();
    if (impl_->fd >= 0) {
        close(impl_->fd);
        unlink(impl_->path.c_str());
    }
}

bool FrontRequestListener::listening() const {
    return impl_->fd >= 0;
}

int FrontRequestListener::poll() {
    int handled = 0;
    while (impl_->fd >= 0) {
        char request[kRequestSize + 1];
        const ssize_t got = recv(impl_->fd, request, sizeof request, MSG_DONTWAIT);
        if (got < 0)
            break;
        // Anything but a well-formed request is ignored.
        if (got != static_cast<ssize_t>(kRequestSize) ||
            std::memcmp(request, kTag, sizeof kTag) != 0)
            continue;
        std::uint64_t window = 0;
        std::memcpy(&window, request + 4, 8);
        ++handled;
        if (impl_->onRequest)
            impl_->onRequest(window);
    }
    return handled;
}

} // namespace platform
