#include "base/SecretMemory.h"

#include <mutex>
#include <new>
#include <string.h>
#include <sys/mman.h>

namespace {

// Blocks of 32 bytes to 64 KiB, by powers of two, cut from chunks of 256 KiB; a larger block
// has a mapping of its own. A block given back waits for the next of its size.
constexpr std::size_t SmallestBlock = 32;
constexpr int Classes = 12; // 32 B .. 64 KiB
constexpr std::size_t ChunkBytes = std::size_t(256) << 10;

struct FreeBlock {
    FreeBlock *next;
};

struct Arena {
    std::mutex mutex;
    FreeBlock *free[Classes] = {};
    char *chunk = nullptr; // where the current chunk's unused part starts
    std::size_t chunkLeft = 0;
    std::size_t mapped = 0;
};

Arena &arena()
{
    // Never destroyed, as secrets may go at exit; kept in static storage rather than on the
    // heap, so that a library holding it can be unloaded without leaving a block behind.
    alignas(Arena) static unsigned char storage[sizeof(Arena)];
    static Arena *const theArena = new (storage) Arena;
    return *theArena;
}

int classOf(std::size_t bytes)
{
    int index = 0;
    for (std::size_t size = SmallestBlock; size < bytes; size *= 2)
        ++index;
    return index;
}

void *mapSecret(std::size_t bytes)
{
    void *memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    // Both may fail (the locked-memory limit, an old kernel); the secrets are still overwritten.
    mlock(memory, bytes);
    madvise(memory, bytes, MADV_DONTDUMP);
    return memory;
}

} // namespace

void *allocateSecret(std::size_t bytes)
{
    Arena &a = arena();
    const int index = classOf(bytes == 0 ? 1 : bytes);
    std::lock_guard lock(a.mutex);
    if (index >= Classes) {
        const std::size_t pages = (bytes + 4095) & ~std::size_t(4095);
        if (a.mapped + pages > MaxSecretBytes)
            throw std::bad_alloc();
        a.mapped += pages;
        return mapSecret(pages);
    }
    if (FreeBlock *block = a.free[index]) {
        a.free[index] = block->next;
        block->next = nullptr;
        return block;
    }
    const std::size_t size = SmallestBlock << index;
    if (a.chunkLeft < size) {
        // What is left of the old chunk goes to the free lists, largest blocks first.
        for (int i = Classes - 1; i >= 0; --i) {
            const std::size_t piece = SmallestBlock << i;
            while (a.chunkLeft >= piece) {
                auto *block = reinterpret_cast<FreeBlock *>(a.chunk);
                block->next = a.free[i];
                a.free[i] = block;
                a.chunk += piece;
                a.chunkLeft -= piece;
            }
        }
        if (a.mapped + ChunkBytes > MaxSecretBytes)
            throw std::bad_alloc();
        a.chunk = static_cast<char *>(mapSecret(ChunkBytes));
        a.chunkLeft = ChunkBytes;
        a.mapped += ChunkBytes;
    }
    void *block = a.chunk;
    a.chunk += size;
    a.chunkLeft -= size;
    return block;
}

void releaseSecret(void *memory, std::size_t bytes)
{
    if (!memory)
        return;
    Arena &a = arena();
    const int index = classOf(bytes == 0 ? 1 : bytes);
    if (index >= Classes) {
        const std::size_t pages = (bytes + 4095) & ~std::size_t(4095);
        explicit_bzero(memory, pages);
        munlock(memory, pages);
        munmap(memory, pages);
        std::lock_guard lock(a.mutex);
        a.mapped -= pages;
        return;
    }
    explicit_bzero(memory, SmallestBlock << index);
    std::lock_guard lock(a.mutex);
    auto *block = static_cast<FreeBlock *>(memory);
    block->next = a.free[index];
    a.free[index] = block;
}

void wipe(SecretList &secrets)
{
    for (SecretString &secret : secrets)
        secret.clear();
    secrets.clear();
}
