#pragma once
// Asking another running copy to bring one of its windows to the front. Each copy that listens
// owns a local datagram socket named after its process id in the runtime folder.

#include "platform/FileClaim.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

// Sends `holder` the request to bring its window `holder.window` to the front. True when the
// request was delivered to a listening copy (not that the window came up).
bool requestBringToFront(const ClaimHolder& holder);

class FrontRequestListener {
public:
    // Starts listening for this process; `onRequest` runs on the thread of the message loop
    // with the window named in each request. Check listening().
    explicit FrontRequestListener(std::function<void(std::uint64_t window)> onRequest);
    // Stops listening and removes the socket.
    ~FrontRequestListener();
    FrontRequestListener(const FrontRequestListener&) = delete;
    FrontRequestListener& operator=(const FrontRequestListener&) = delete;

    // Whether the socket is bound.
    bool listening() const;
    // Handles every request already waiting, without blocking; returns how many ran. The
    // message loop calls this by itself; tests without a loop call it directly.
    int poll();

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace platform
