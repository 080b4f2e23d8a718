#include "base/SecretMemory.h"

#include <new>
#include <string.h>
#include <sys/mman.h>

void *allocateSecret(std::size_t bytes)
{
    void *memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    // Both may fail (the locked-memory limit, an old kernel); the secret is still overwritten.
    mlock(memory, bytes);
    madvise(memory, bytes, MADV_DONTDUMP);
    return memory;
}

void releaseSecret(void *memory, std::size_t bytes)
{
    explicit_bzero(memory, bytes);
    munlock(memory, bytes);
    munmap(memory, bytes);
}

void wipe(SecretList &secrets)
{
    for (SecretString &secret : secrets)
        clearSecret(secret);
    secrets.clear();
}
