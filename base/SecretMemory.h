#pragma once
// Memory for secrets such as passwords: one arena for the process, its pages kept out of swap
// and out of core dumps where the system allows it, every block overwritten before it is
// given back. One arena, not a mapping per secret: a list of thousands of passwords takes a
// few pages, not thousands of the kernel's mappings.
#include <cstddef>
#include <string.h>
#include <string>
#include <string_view>
#include <vector>

// Throws std::bad_alloc past MaxSecretBytes in all.
void *allocateSecret(std::size_t bytes);
void releaseSecret(void *memory, std::size_t bytes);
// The most the arena holds; each block takes at least 32 bytes.
constexpr std::size_t MaxSecretBytes = std::size_t(64) << 20;

template <typename T>
struct SecretAllocator {
    using value_type = T;
    SecretAllocator() = default;
    template <typename U>
    SecretAllocator(const SecretAllocator<U> &) {}
    T *allocate(std::size_t count) { return static_cast<T *>(allocateSecret(count * sizeof(T))); }
    void deallocate(T *memory, std::size_t count) { releaseSecret(memory, count * sizeof(T)); }
    template <typename U>
    bool operator==(const SecretAllocator<U> &) const { return true; }
};

// A secret's bytes, in the arena alone. A string keeps a short text inside itself, wherever
// the string lies (the stack, a thread's storage), and a swap would copy it there: this one
// never does, and overwrites its whole buffer, not just the text, when it clears or goes.
class SecretString : public std::basic_string<char, std::char_traits<char>, SecretAllocator<char>> {
    using Base = std::basic_string<char, std::char_traits<char>, SecretAllocator<char>>;
    static constexpr std::size_t Outside = 16; // more than a string holds inside itself

public:
    SecretString() { Base::reserve(Outside); }
    SecretString(const char *data, std::size_t size) : SecretString() { Base::append(data, size); }
    explicit SecretString(std::string_view text) : SecretString(text.data(), text.size()) {}
    SecretString(const SecretString &other) : SecretString(other.data(), other.size()) {}
    SecretString(SecretString &&other) : Base(std::move(other)) { other.reserve(Outside); }
    SecretString &operator=(const SecretString &other)
    {
        if (this != &other)
            assign(other.data(), other.size());
        return *this;
    }
    // The other takes the old bytes, to overwrite them when it goes.
    SecretString &operator=(SecretString &&other)
    {
        swap(other);
        return *this;
    }
    ~SecretString() { explicit_bzero(data(), capacity()); }

    void clear()
    {
        explicit_bzero(data(), capacity());
        Base::clear();
    }
    SecretString &assign(const char *bytes, std::size_t size)
    {
        clear();
        Base::append(bytes, size);
        return *this;
    }
    SecretString &assign(std::string_view text) { return assign(text.data(), text.size()); }
    void swap(SecretString &other) { Base::swap(other); } // both outside: their buffers change hands
};
using SecretList = std::vector<SecretString, SecretAllocator<SecretString>>;

// Overwrites a buffer of bytes where it is, its spare capacity too, where the compiler
// cannot leave it out, and empties it.
template <typename Allocator>
void clearSecret(std::basic_string<char, std::char_traits<char>, Allocator> &secret)
{
    explicit_bzero(secret.data(), secret.capacity());
    secret.clear();
}
inline void clearSecret(SecretString &secret)
{
    secret.clear();
}
void wipe(SecretList &secrets);
