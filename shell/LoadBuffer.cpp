#include "shell/LoadBuffer.h"

#include "platform/AnonymousMemory.h"

#include <cstring>
#include <limits>

namespace shell {

LoadBuffer::LoadBuffer(std::size_t step) : step_(step) {
    data_ = static_cast<char16_t*>(platform::mapAnonymousMemory(step_ * sizeof(char16_t)));
    if (data_ != nullptr)
        capacity_ = step_;
    else
        failed_ = true;
}

LoadBuffer::~LoadBuffer() {
    if (data_ != nullptr)
        platform::unmapAnonymousMemory(data_, capacity_ * sizeof(char16_t));
}

bool LoadBuffer::append(std::u16string_view units) {
    if (units.size() > capacity_ - size_ && !grow(units.size() - (capacity_ - size_))) {
        failed_ = true;
        return false;
    }
    if (!units.empty())
        std::memcpy(data_ + size_, units.data(), units.size() * sizeof(char16_t));
    size_ += units.size();
    return true;
}

// The new room is the old plus the shortfall rounded down to whole steps, plus one step.
bool LoadBuffer::grow(std::size_t shortfall) {
    const std::size_t added = shortfall / step_ * step_ + step_;
    constexpr std::size_t kMaxUnits = std::numeric_limits<std::size_t>::max() / sizeof(char16_t);
    if (data_ == nullptr || added > kMaxUnits - capacity_)
        return false;
    const std::size_t capacity = capacity_ + added;
    auto* data = static_cast<char16_t*>(platform::mapAnonymousMemory(capacity * sizeof(char16_t)));
    if (data == nullptr)
        return false;
    std::memcpy(data, data_, size_ * sizeof(char16_t));
    platform::unmapAnonymousMemory(data_, capacity_ * sizeof(char16_t));
    data_ = data;
    capacity_ = capacity;
    return true;
}

} // namespace shell
