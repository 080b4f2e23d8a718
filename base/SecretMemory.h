#pragma once
// Memory for secrets such as passwords: each allocation has pages of its own, kept out of swap
// and out of core dumps where the system allows it, and overwritten before it is given back.
#include <cstddef>
#include <string.h>
#include <string>
#include <vector>

void *allocateSecret(std::size_t bytes);
void releaseSecret(void *memory, std::size_t bytes);

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

using SecretString = std::basic_string<char, std::char_traits<char>, SecretAllocator<char>>;
// The strings' own bytes and, for short ones kept inside the string, the list's.
using SecretList = std::vector<SecretString, SecretAllocator<SecretString>>;

// Overwrite the secrets where they are, where the compiler cannot leave it out, and empty them.
template <typename Allocator>
void clearSecret(std::basic_string<char, std::char_traits<char>, Allocator> &secret)
{
    explicit_bzero(secret.data(), secret.size());
    secret.clear();
}
void wipe(SecretList &secrets);
