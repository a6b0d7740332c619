#pragma once

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/secure_wipe.h"

namespace tessaly {

// Memory for secrets: whatever it frees, what a container leaves behind as
// it grows included, is wiped first.
template <typename T>
struct WipingAllocator {
    using value_type = T;
    WipingAllocator() = default;
    template <typename U>
    WipingAllocator(const WipingAllocator<U>&) noexcept
    {
    }
    T* allocate(size_t count) { return std::allocator<T>().allocate(count); }
    void deallocate(T* memory, size_t count) noexcept
    {
        secureWipe(memory, count * sizeof(T));
        std::allocator<T>().deallocate(memory, count);
    }
    template <typename U>
    bool operator==(const WipingAllocator<U>&) const noexcept
    {
        return true;
    }
    template <typename U>
    bool operator!=(const WipingAllocator<U>&) const noexcept
    {
        return false;
    }
};

// Text that wipes itself: a password. Unlike a string it keeps no short
// text inside the object, where a move or a vector's growth would leave a
// copy; its characters are only ever on the heap, wiped when the text
// grows, changes or goes.
class SecretText {
public:
    SecretText() = default;
    SecretText(std::string_view text) : bytes_(text.begin(), text.end()) {}
    SecretText(const char* text) : SecretText(std::string_view(text)) {}
    SecretText(const std::string& text) : SecretText(std::string_view(text)) {}

    operator std::string_view() const { return view(); }
    std::string_view view() const { return {bytes_.data(), bytes_.size()}; }
    const char* data() const { return bytes_.data(); }
    size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }

    void assign(std::string_view text) { *this = SecretText(text); }
    // A buffer it outgrows is wiped as it goes.
    void append(std::string_view text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
    void clear() { bytes_ = Bytes(); }

    friend bool operator==(const SecretText& a, const SecretText& b) { return a.view() == b.view(); }
    friend bool operator!=(const SecretText& a, const SecretText& b) { return !(a == b); }
    friend bool operator==(const SecretText& a, std::string_view b) { return a.view() == b; }
    friend bool operator!=(const SecretText& a, std::string_view b) { return a.view() != b; }
    friend bool operator==(const SecretText& a, const char* b) { return a.view() == b; }
    friend bool operator!=(const SecretText& a, const char* b) { return a.view() != b; }

private:
    using Bytes = std::vector<char, WipingAllocator<char>>;
    Bytes bytes_;
};

// A password made from a string, whose own copy is wiped.
inline SecretText secretFrom(std::string&& text)
{
    SecretText secret(text);
    wipeString(text);
    return secret;
}

// Prints as text where a test says what it expected.
inline std::ostream& operator<<(std::ostream& out, const SecretText& text)
{
    return out << text.view();
}

}  // namespace tessaly
